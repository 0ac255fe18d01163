// Panel1: the frame around the counter buttons, a lowered outer bevel around a raised inner one.
#pragma once

#include <windows.h>

namespace korva::win32 {

inline constexpr wchar_t kPanelClass[] = L"KorvaPanel";

// The buttons' notifications go on to the panel's parent, where the commands are handled.
void RegisterPanelClass(HINSTANCE instance);

}  // namespace korva::win32
