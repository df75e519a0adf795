// The short boxes the source shows for developer-level failures.
#ifndef PLNX_MESSAGE_BOXES_H
#define PLNX_MESSAGE_BOXES_H

// A box without owner, captioned "Msg", with an OK button.
void ShowDeveloperBox(const char* text);
// A warning box without owner, captioned "Warning".
void ShowWarningBox(const char* text);

#endif
