// Windows reports failures as system error codes; korva-count names them as errno values, so its
// messages read the same on every system.
#pragma once

#include <windows.h>

namespace korva::cli {

int ErrnoFromWindows(DWORD error);

}  // namespace korva::cli
