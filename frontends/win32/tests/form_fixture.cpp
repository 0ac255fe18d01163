#include "frontends/win32/tests/form_fixture.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "counters/text/cp1252.hpp"
#include "frontends/model/counter_buttons.hpp"
#include "frontends/model/report_count.hpp"
#include "frontends/win32/layout.hpp"
#include "frontends/win32/menu.hpp"
#include "frontends/win32/message_loop.hpp"
#include "frontends/win32/wide_text.hpp"

namespace korva::win32::fixture {
namespace {

HINSTANCE RegisteredInstance() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterFormClasses(instance);
    return instance;
}

}  // namespace

ErrorBox Recorder(std::vector<Shown>& shown) {
    return {[](void* context, HWND, const wchar_t* caption, const wchar_t* text) {
                static_cast<std::vector<Shown>*>(context)->push_back({caption, text});
            },
            &shown};
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size() + 1)));
    return text;
}

std::pair<DWORD, DWORD> SelectionOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

std::wstring CoreResult(ControlId button, std::wstring_view report) {
    const std::string bytes = Utf16ToCp1252(AsUtf16(report));
    for (const auto& [counter_button, counter] : form::kCounterButtons) {
        if (counter_button == button)
            return std::wstring(AsWide(form::ResultBoxText(form::Count(counter, bytes))));
    }
    return L"<no counter on this button>";
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

WPARAM VirtualKey(const conformance::Keystroke& stroke) {
    using conformance::KeyName;
    // In the order of KeyName, a letter's place left empty.
    constexpr std::array<WPARAM, 9> keys{0,         VK_RETURN, VK_RETURN, VK_SPACE, VK_INSERT,
                                         VK_DELETE, VK_BACK,   VK_MENU,   VK_F10};
    static_assert(keys.size() == std::size_t(KeyName::kF10) + 1);
    return stroke.key == KeyName::kLetter ? static_cast<WPARAM>(stroke.letter)
                                          : keys.at(std::size_t(stroke.key));
}

UINT SystemDpi() {
    std::array<wchar_t, 16> value{};
    const DWORD length = GetEnvironmentVariableW(L"KORVA_WINE_DPI", value.data(), value.size());
    if (length == 0 || length >= value.size()) return kDesignDpi;
    return static_cast<UINT>(std::stoul(value.data()));
}

int Rounded(int pixels, UINT dpi) {
    return static_cast<int>(std::lround(pixels * (dpi / 96.0)));
}

Form::Form(const FormOptions& options, int show)
    : application_(GetModuleHandleW(nullptr)),
      window_(CreateMainForm(RegisteredInstance(), application_.handle(), options)) {
    ShowMainWindow(window_, show);
    if (!IsIconic(application_.handle())) SetForegroundWindow(window_);
    UpdateWindow(window_);
    Pump();
}

Form::~Form() {
    DestroyWindow(window_);
    Pump();
}

void Form::Pump() const {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchFormMessage(window_, message);
    }
}

void Form::Key(WPARAM key, bool ctrl, bool shift, bool extended) const {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    const std::array<BYTE, 256> before = keys;
    if (ctrl) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    if (shift) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    SetKeyboardState(keys.data());
    const HWND focus = GetFocus();
    const UINT scan =
        MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC) | (extended ? 0x100u : 0u);
    PostMessageW(focus, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageW(focus, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
    Pump();
    SetKeyboardState(const_cast<BYTE*>(before.data()));
}

void Form::Key(const conformance::Keystroke& stroke) const {
    Key(VirtualKey(stroke), stroke.ctrl, stroke.shift,
        stroke.key == conformance::KeyName::kKeypadEnter);
}

void Form::Click(ControlId button) const {
    SendMessageW((*this)[button], BM_CLICK, 0, 0);
    Pump();
}

void Form::Menu(std::string_view item) const {
    bool found = false;
    for (std::size_t i = 0; i < form::kMenu.size(); ++i) {
        if (form::kMenu[i].name == item) {
            SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kFirstMenuId + i, 0), 0);
            found = true;
        }
    }
    EXPECT_TRUE(found) << "no menu item " << item;
    Pump();
}

}  // namespace korva::win32::fixture
