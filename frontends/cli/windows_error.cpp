#include "frontends/cli/windows_error.hpp"

#include <cerrno>

namespace korva::cli {

namespace {

struct ErrorPair {
    DWORD windows;
    int errno_value;
};

// The failures korva-count names in its own words (see reason.cpp); any other code keeps the
// system's message.
constexpr ErrorPair kErrors[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_NET_NAME, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},
    // Another program holds the file open without sharing it, or has locked part of it.
    {ERROR_SHARING_VIOLATION, EBUSY},
    {ERROR_LOCK_VIOLATION, EBUSY},
    // The reader of a pipe is gone.
    {ERROR_BROKEN_PIPE, EPIPE},
    {ERROR_NO_DATA, EPIPE},
    {ERROR_PIPE_NOT_CONNECTED, EPIPE},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
};

}  // namespace

int ErrnoFromWindows(DWORD error) {
    for (const ErrorPair& pair : kErrors) {
        if (pair.windows == error) return pair.errno_value;
    }
    // Codes past 16 bits are no Win32 error codes; none is expected.
    return error <= 0xFFFF ? kWindowsErrorBase + static_cast<int>(error) : EIO;
}

}  // namespace korva::cli
