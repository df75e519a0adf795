#include "twain/message_boxes.h"

#include <windows.h>

void ShowDeveloperBox(const char* text) { MessageBoxA(nullptr, text, "Msg", MB_OK); }

void ShowWarningBox(const char* text) { MessageBoxA(nullptr, text, "Warning", MB_OK | MB_ICONWARNING); }
