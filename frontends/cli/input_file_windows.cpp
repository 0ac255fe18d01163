#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "frontends/cli/input_file.hpp"
#include "frontends/cli/wide_text.hpp"
#include "frontends/cli/windows_error.hpp"

namespace korva::cli {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

// A console holds characters, not bytes: read as UTF-16 they reach the decoder as UTF-8 whatever
// the console's code page, so pasted reports keep their umlauts. Ctrl+Z at the start of a line
// is how a console user ends the input; ended tells that it came.
InputFile::ReadResult ReadConsoleText(HANDLE console, std::span<char> buffer, bool& ended) {
    if (ended) return {0, 0};
    // Three bytes of UTF-8 at most for each UTF-16 unit.
    std::u16string units(std::min<std::size_t>(buffer.size() / 3, 1u << 16), u'\0');
    DWORD n = 0;
    if (!::ReadConsoleW(console, units.data(), static_cast<DWORD>(units.size()), &n, nullptr)) {
        return {0, ErrnoFromWindows(::GetLastError())};
    }
    units.resize(n);
    for (std::size_t k = 0; k < units.size(); ++k) {
        if (units[k] == 0x1A && (k == 0 || units[k - 1] == u'\n')) {
            units.resize(k);
            ended = true;
            break;
        }
    }
    if (n == 0) ended = true;
    const std::string text = Utf8FromWide(units);
    std::copy(text.begin(), text.end(), buffer.begin());
    return {text.size(), 0};
}

bool IsDirectory(const std::u16string& name) {
    const DWORD attributes = ::GetFileAttributesW(reinterpret_cast<const wchar_t*>(name.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

InputFile::~InputFile() {
    if (owned_) ::CloseHandle(AsHandle(handle_));
}

int InputFile::Open(const std::string& name) {
    if (name == "-") {
        const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
        // A program started without a console or redirection may have no standard input.
        if (in == nullptr || in == INVALID_HANDLE_VALUE) return EBADF;
        handle_ = reinterpret_cast<std::intptr_t>(in);
        console_ = IsConsole(in);
        return 0;
    }
    const std::u16string wide = WideFromUtf8(name);
    // Others may go on writing or deleting the file while we read it, as on Linux.
    const HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // Windows refuses a directory as "access denied"; say what it is.
        return IsDirectory(wide) ? EISDIR : ErrnoFromWindows(error);
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    owned_ = true;
    return 0;
}

InputFile::ReadResult InputFile::Read(std::span<char> buffer) {
    if (console_) return ReadConsoleText(AsHandle(handle_), buffer, console_ended_);
    const auto size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
    DWORD n = 0;
    if (::ReadFile(AsHandle(handle_), buffer.data(), size, &n, nullptr)) return {n, 0};
    const DWORD error = ::GetLastError();
    // The writer of a pipe has closed it: the end of the input.
    if (error == ERROR_BROKEN_PIPE) return {0, 0};
    return {0, ErrnoFromWindows(error)};
}

}  // namespace korva::cli
