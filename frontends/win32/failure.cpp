#include "frontends/win32/failure.hpp"

#include <string>
#include <string_view>

#include "frontends/model/caught_failure.hpp"
#include "frontends/model/form.hpp"
#include "frontends/win32/wide_text.hpp"

namespace korva::win32 {
namespace {

// Made at compile time: the guard may need it when memory has run out.
constexpr auto kCaption = WideAscii<form::kApplicationTitle.size()>(form::kApplicationTitle);

void ShowMessageBox(void*, HWND owner, const wchar_t* caption, const wchar_t* text) {
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONSTOP);
}

// text is 0-terminated.
void Show(const ErrorBox& box, HWND owner, std::u16string_view text) {
    box.show(box.context, owner, kCaption.data(), AsWide(text).data());
}

// The failure by the rule for site; making an Exception's text may itself run out of memory.
void ShowFailure(form::FailureSite site, const std::exception_ptr& failure, HWND owner,
                 const ErrorBox& box) noexcept {
    try {
        form::ShowFailure(site, failure,
                          [&box, owner](std::u16string_view text) { Show(box, owner, text); });
    } catch (...) {
        Show(box, owner, form::kOutOfMemoryText);
    }
}

}  // namespace

ErrorBox SystemErrorBox() {
    return {ShowMessageBox, nullptr};
}

void ShowEventFailure(std::exception_ptr failure, HWND owner, const ErrorBox& box) noexcept {
    // A capture left behind would keep the mouse away from the error box and every window.
    if (GetCapture() != nullptr) ReleaseCapture();
    ShowFailure(form::FailureSite::kEvent, failure, owner, box);
}

void ShowStartUpFailure(std::exception_ptr failure, const ErrorBox& box) noexcept {
    ShowFailure(form::FailureSite::kStartUp, failure, nullptr, box);
}

Exception LastErrorException() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD size = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message =
        size != 0 ? std::wstring(text, size) : L"Windows error " + std::to_wstring(code);
    LocalFree(text);
    // The system's texts end in a line break, which the error box would show as an empty line.
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return Exception(std::u16string(AsUtf16(message)));
}

}  // namespace korva::win32
