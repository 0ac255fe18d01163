// Registering the program's window classes: one place for what they all share.
#pragma once

#include <windows.h>

namespace korva::win32 {

struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure;
    // nullptr: the window paints its own background.
    HBRUSH background = nullptr;
    // The program's icon, large and small, for windows the task bar or Alt+Tab show.
    bool icon = false;
};

// A class registered before (a second window, a test) is no failure.
void RegisterWindowClass(HINSTANCE instance, const WindowClass& window_class);

}  // namespace korva::win32
