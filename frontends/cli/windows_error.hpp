// Windows reports failures as system error codes; korva-count carries them as errno values, so
// that the common ones read the same on every system. A code without an errno value travels as
// kWindowsErrorBase plus the code, so that its message can still be the system's own.
#pragma once

#include <windows.h>

namespace korva::cli {

// Above every errno value.
inline constexpr int kWindowsErrorBase = 0x10000;

int ErrnoFromWindows(DWORD error);

}  // namespace korva::cli
