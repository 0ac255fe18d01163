// MainForm's controls, made from the form's table, and placed and lettered for a dpi.
#pragma once

#include <windows.h>

#include "frontends/win32/form_state.hpp"

namespace korva::win32 {

// A fixed border with close and minimise only. A popup, so that its owner, the application
// window, is its root owner too: a task bar draws the entry of the root owner of the foreground
// window as the active one.
inline constexpr DWORD kFormStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Every control of the table with its first text, in tab order.
void CreateControls(HWND window, FormState& state);

// Fonts, control places and the window's size for dpi; the window keeps its place, or takes
// the one the system suggests.
void ApplyDpi(HWND window, FormState& state, UINT dpi, const RECT* suggested);

}  // namespace korva::win32
