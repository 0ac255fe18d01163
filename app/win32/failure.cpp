#include "app/win32/failure.hpp"

#include <new>
#include <string_view>

#include "app/win32/wide_text.hpp"
#include "app/window/closing_period.hpp"
#include "app/window/form.hpp"

namespace korva::win32 {
namespace {

// Every text the guard may need when memory has run out, made at compile time.
constexpr auto kCaption = WideAscii<form::kApplicationTitle.size()>(form::kApplicationTitle);
constexpr std::string_view kOutOfMemoryText = "Out of memory.";
constexpr auto kOutOfMemory = WideAscii<kOutOfMemoryText.size()>(kOutOfMemoryText);
constexpr std::string_view kExternalText = "External exception E06D7363.";
constexpr auto kExternal = WideAscii<kExternalText.size()>(kExternalText);
constexpr wchar_t kEmpty[] = L"";

static_assert(form::TakesClosingPeriod(u"Out of memory"));
static_assert(form::TakesClosingPeriod(u"External exception E06D7363"));

void ShowMessageBox(void*, HWND owner, const wchar_t* caption, const wchar_t* text) {
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONSTOP);
}

void Show(const ErrorBox& box, HWND owner, const wchar_t* text) {
    box.show(box.context, owner, kCaption.data(), text);
}

// The message with the period rule; making that text may itself run out of memory.
void ShowException(const Exception& failure, HWND owner, const ErrorBox& box) {
    try {
        std::wstring text = failure.Message();
        if (form::TakesClosingPeriod(AsUtf16(text))) text += L'.';
        Show(box, owner, text.c_str());
    } catch (...) {
        Show(box, owner, kOutOfMemory.data());
    }
}

}  // namespace

ErrorBox SystemErrorBox() {
    return {ShowMessageBox, nullptr};
}

void ShowEventFailure(std::exception_ptr failure, HWND owner, const ErrorBox& box) noexcept {
    // A capture left behind would keep the mouse away from the error box and every window.
    if (GetCapture() != nullptr) ReleaseCapture();
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowException(e, owner, box);
    } catch (const std::bad_alloc&) {
        Show(box, owner, kOutOfMemory.data());
    } catch (...) {
        Show(box, owner, kExternal.data());
    }
}

void ShowStartUpFailure(std::exception_ptr failure, const ErrorBox& box) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        ShowException(e, nullptr, box);
    } catch (const std::bad_alloc&) {
        Show(box, nullptr, kOutOfMemory.data());
    } catch (...) {
        Show(box, nullptr, kEmpty);
    }
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
    return Exception(message);
}

}  // namespace korva::win32
