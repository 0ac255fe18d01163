#include <windows.h>

#include <cstring>
#include <string>

#include "frontends/cli/reason.hpp"
#include "frontends/cli/wide_text.hpp"
#include "frontends/cli/windows_error.hpp"

namespace korva::cli {

std::string SystemReason(int error) {
    if (error < kWindowsErrorBase) return std::strerror(error);
    // The system's message, in the language of the user's Windows.
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error - kWindowsErrorBase), 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message;
    if (text != nullptr) {
        message.assign(reinterpret_cast<const char16_t*>(text), length);
        ::LocalFree(text);
    }
    // A sentence of its own ends in a period and a line break; here it follows a colon.
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n' ||
                                message.back() == u' ' || message.back() == u'.')) {
        message.pop_back();
    }
    if (message.empty()) return "Systemfehler " + std::to_string(error - kWindowsErrorBase);
    return Utf8FromWide(message);
}

}  // namespace korva::cli
