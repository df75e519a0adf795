#include "ui/dialog/dialog_state.h"

uint32_t CommandsEnabled = 1;
uint32_t BatchMode = 0;
