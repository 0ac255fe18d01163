#include "frontends/win32/message_loop.hpp"

#include <commctrl.h>

#include <array>

namespace korva::win32 {
namespace {

bool IsPushButton(HWND window) {
    std::array<wchar_t, 16> class_name{};
    if (GetClassNameW(window, class_name.data(), static_cast<int>(class_name.size())) == 0) {
        return false;
    }
    if (CompareStringOrdinal(class_name.data(), -1, WC_BUTTONW, -1, TRUE) != CSTR_EQUAL) {
        return false;
    }
    const auto type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// Outside a dialog box, IsDialogMessage sends Enter to the window as IDOK; the user means the
// button that has the focus.
bool PressFocusedButton(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
    if (!IsPushButton(message.hwnd) || !IsWindowEnabled(message.hwnd)) return false;
    SendMessageW(message.hwnd, BM_CLICK, 0, 0);
    return true;
}

}  // namespace

void DispatchFormMessage(HWND form, MSG& message) {
    if (PressFocusedButton(message)) return;
    // A control would answer Alt and a letter by opening the form's menu bar itself, past the
    // form's own refusal; the form answers it instead.
    if (message.message == WM_SYSCHAR && IsChild(form, message.hwnd)) message.hwnd = form;
    if (IsWindow(form) && IsDialogMessageW(form, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(HWND form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchFormMessage(form, message);
    // What MainForm's end posted: 0.
    return static_cast<int>(message.wParam);
}

}  // namespace korva::win32
