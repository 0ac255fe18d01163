#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "frontends/cli/std_streams.hpp"
#include "frontends/cli/windows_error.hpp"

namespace korva::cli {

namespace {

// Characters per WriteConsoleW call: older consoles refuse very large writes.
constexpr std::size_t kConsoleChunk = 8192;

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

int WriteConsoleText(HANDLE console, std::string_view text, CodePage code_page) {
    if (text.empty()) return 0;
    const UINT from = code_page == CodePage::kUtf8 ? CP_UTF8 : 1252;
    const int bytes = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(from, 0, text.data(), bytes, nullptr, 0);
    if (length <= 0) return ErrnoFromWindows(::GetLastError());
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(from, 0, text.data(), bytes, wide.data(), length);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
        std::size_t chunk = std::min(rest.size(), kConsoleChunk);
        // Never part a surrogate pair.
        if (chunk < rest.size() && rest[chunk - 1] >= 0xD800 && rest[chunk - 1] <= 0xDBFF) --chunk;
        DWORD written = 0;
        if (!::WriteConsoleW(console, rest.data(), static_cast<DWORD>(chunk), &written, nullptr)) {
            return ErrnoFromWindows(::GetLastError());
        }
        rest.remove_prefix(std::max<std::size_t>(written, 1));
    }
    return 0;
}

int WriteBytes(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        const auto size = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, text.data(), size, &written, nullptr)) {
            return ErrnoFromWindows(::GetLastError());
        }
        text.remove_prefix(written);
    }
    return 0;
}

int Write(DWORD which, std::string_view text, CodePage code_page) {
    const HANDLE handle = ::GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return EBADF;
    return IsConsole(handle) ? WriteConsoleText(handle, text, code_page) : WriteBytes(handle, text);
}

}  // namespace

int WriteStandardOutput(std::string_view text, CodePage code_page) {
    return Write(STD_OUTPUT_HANDLE, text, code_page);
}

int WriteStandardError(std::string_view utf8_text) {
    return Write(STD_ERROR_HANDLE, utf8_text, CodePage::kUtf8);
}

bool StandardInputIsTerminal() {
    const HANDLE handle = ::GetStdHandle(STD_INPUT_HANDLE);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && IsConsole(handle);
}

std::string_view EndOfTypedInput() {
    // The console hands a line on only with Enter; input_file_windows.cpp ends at the Ctrl+Z.
    return "Strg+Z am Anfang einer Zeile, dann die Eingabetaste";
}

// Held back in a temporary file instead, on every kind of output.
std::optional<std::int64_t> StandardOutputEnd() {
    return std::nullopt;
}

int TakeBackStandardOutput(std::int64_t) {
    return 0;
}

int CloseStandardOutput() {
    // WriteFile has already reported a full disk or a closed pipe; closing tells nothing new.
    const HANDLE handle = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return 0;
    return ::CloseHandle(handle) ? 0 : ErrnoFromWindows(::GetLastError());
}

}  // namespace korva::cli
