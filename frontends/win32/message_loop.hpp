// The event loop: the dialog keys (Tab, Shift+Tab, Space on a button) for the main window's
// controls, and Enter pressing the focused button.
#pragma once

#include <windows.h>

namespace korva::win32 {

// Handles one message as the loop does.
void DispatchFormMessage(HWND form, MSG& message);

// Until the main window is gone; returns the exit status.
int RunMessageLoop(HWND form);

}  // namespace korva::win32
