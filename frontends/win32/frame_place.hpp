// Keeps a top-level window's frame on the work area of its monitor.
#pragma once

#include <windows.h>

namespace korva::win32 {

// Leaves window where it stands if its whole frame fits the work area (the monitor less its
// task bars) of the monitor under its corner; otherwise moves it in just far enough, or to the
// work area's corner where it is larger.
void FitIntoWorkArea(HWND window);

}  // namespace korva::win32
