// What the system's edit control leaves out: Ctrl+A selects all, and Tab leaves a multi-line box
// for the next control instead of being typed into it; and what it must not do: close the
// window on Esc.
#pragma once

#include <windows.h>

namespace korva::win32 {

void AddEditKeys(HWND edit);

}  // namespace korva::win32
