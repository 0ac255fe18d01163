#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "frontends/cli/temp_file.hpp"
#include "frontends/cli/windows_error.hpp"

namespace korva::cli {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

TempFile::~TempFile() {
    if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

int TempFile::Create() {
    std::wstring dir(MAX_PATH + 1, L'\0');
    const DWORD length = ::GetTempPathW(static_cast<DWORD>(dir.size()), dir.data());
    if (length == 0 || length > dir.size()) return ErrnoFromWindows(::GetLastError());
    dir.resize(length);
    std::wstring path(MAX_PATH + 1, L'\0');
    if (::GetTempFileNameW(dir.c_str(), L"kvc", 0, path.data()) == 0) {
        const DWORD error = ::GetLastError();
        // A TMP or TEMP folder that is not there.
        return error == ERROR_DIRECTORY ? ENOENT : ErrnoFromWindows(error);
    }
    // Deleted by the system when the last handle closes, so no file is left behind, not even
    // when the program is killed.
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                      CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(path.c_str());
        return ErrnoFromWindows(error);
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return 0;
}

int TempFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(AsHandle(handle_), bytes.data(), size, &written, nullptr)) {
            return ErrnoFromWindows(::GetLastError());
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

int TempFile::Rewind() {
    const LARGE_INTEGER start = {};
    return ::SetFilePointerEx(AsHandle(handle_), start, nullptr, FILE_BEGIN)
               ? 0
               : ErrnoFromWindows(::GetLastError());
}

TempFile::ReadResult TempFile::Read(std::span<char> buffer) {
    const auto size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
    DWORD n = 0;
    if (!::ReadFile(AsHandle(handle_), buffer.data(), size, &n, nullptr)) {
        return {0, ErrnoFromWindows(::GetLastError())};
    }
    return {n, 0};
}

}  // namespace korva::cli
