#include "frontends/win32/main_form.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include <cstddef>
#include <exception>
#include <string>

#include "frontends/model/form.hpp"
#include "frontends/win32/application_window.hpp"
#include "frontends/win32/commands.hpp"
#include "frontends/win32/controls.hpp"
#include "frontends/win32/form_state.hpp"
#include "frontends/win32/frame_place.hpp"
#include "frontends/win32/layout.hpp"
#include "frontends/win32/menu.hpp"
#include "frontends/win32/panel.hpp"
#include "frontends/win32/wide_text.hpp"
#include "frontends/win32/window_class.hpp"

namespace korva::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"TMainForm";

// What CreateMainForm hands to the window's creation, and gets back when it fails.
struct Creation {
    const FormOptions* options;
    std::exception_ptr failure;
};

// The messages, each to a handler of its own.

BOOL OnNcCreate(HWND window, LPCREATESTRUCTW create) {
    auto* creation = static_cast<Creation*>(create->lpCreateParams);
    try {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new FormState(*creation->options)));
    } catch (...) {
        creation->failure = std::current_exception();
        return FALSE;
    }
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcW);
}

// A failure here goes back to CreateMainForm: it belongs to start-up, not to an event.
BOOL OnCreate(HWND window, LPCREATESTRUCTW create) {
    auto* creation = static_cast<Creation*>(create->lpCreateParams);
    try {
        FormState& state = *StateOf(window);
        CreateControls(window, state);
        ApplyDpi(window, state, GetDpiForWindow(window), nullptr);
        // At a large scale on a small screen the designed place would put the frame off it.
        FitIntoWorkArea(window);
        state.created = true;
    } catch (...) {
        creation->failure = std::current_exception();
        return FALSE;
    }
    return TRUE;
}

void OnCommand(HWND window, int id, HWND, UINT code) {
    const FormState& state = *StateOf(window);
    if (id == ChildWindowId(form::ControlId::kSabo) && code == BN_CLICKED)
        return SelectSaboCounter(state);
    if (id == ChildWindowId(form::ControlId::kPluen) && code == BN_CLICKED)
        return SelectPluenCounter(state);
    if (id == ChildWindowId(form::ControlId::kFleet) && code == BN_CLICKED)
        return SelectFleetCounter(state);
    if (const auto entry = MenuEntryOf(id); entry && code == 0) {
        RunMenuCommand(window, state, entry->command);
    }
}

// The read-only Output asks here for its colours: the menu colour behind its text.
HBRUSH OnCtlColorStatic(HWND window, HDC dc, HWND control, int) {
    if (control == Control(*StateOf(window), form::ControlId::kOutput)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return GetSysColorBrush(COLOR_MENU);
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH OnCtlColorEdit(HWND, HDC dc, HWND, int) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

// The focus leaves with the window and comes back where it was; the first time, to Input.
void OnActivate(HWND window, UINT state, HWND, BOOL minimized) {
    FormState& form_state = *StateOf(window);
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) form_state.last_focus = focus;
    } else if (!minimized) {
        const HWND focus = form_state.last_focus != nullptr
                               ? form_state.last_focus
                               : Control(form_state, form::kFirstFocus);
        SetFocus(focus);
    }
}

// The menus are disabled for the whole run: Alt, F10 and the menus' letters would only take the
// keyboard into a menu bar where nothing can open. Alt+Space still opens the system menu.
bool IsMenuBarKey(WPARAM command, LPARAM key) {
    return (command & 0xFFF0) == SC_KEYMENU && key != ' ';
}

void OnDpiChanged(HWND window, UINT dpi, const RECT* suggested) {
    ApplyDpi(window, *StateOf(window), dpi, suggested);
}

void OnDestroy(HWND window) {
    if (const HWND application = GetWindow(window, GW_OWNER)) SetMainWindow(application, nullptr);
    if (StateOf(window)->created) PostQuitMessage(0);
}

void OnNcDestroy(HWND window) {
    delete StateOf(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(hwnd, WM_CTLCOLOREDIT, OnCtlColorEdit);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
        HANDLE_MSG(hwnd, WM_NCDESTROY, OnNcDestroy);
        case WM_ACTIVATE:
            // Handled: the focus is set here, not left to the default, which gives it to the
            // window itself.
            OnActivate(hwnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_SYSCOMMAND:
            if (IsMenuBarKey(wParam, lParam)) return 0;
            // Owned, MainForm has no task-bar entry to minimise into; the application has.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                MinimizeApplication(hwnd);
                return 0;
            }
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case WM_DPICHANGED:
            OnDpiChanged(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// Every message under the event guard.
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        return OnNcCreate(hwnd, reinterpret_cast<LPCREATESTRUCTW>(lParam));
    }
    const FormState* state = StateOf(hwnd);
    if (state == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const ErrorBox box = state->options.error_box;
    return Guarded(hwnd, box, LRESULT{0}, [&] { return Dispatch(hwnd, message, wParam, lParam); });
}

}  // namespace

void RegisterFormClasses(HINSTANCE instance) {
    RegisterPanelClass(instance);
    RegisterWindowClass(instance, {.name = kFormClass,
                                   .procedure = FormProc,
                                   .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                   .icon = true});
}

HWND CreateMainForm(HINSTANCE instance, HWND application, const FormOptions& options) {
    Creation creation{&options, nullptr};
    const HMENU menu = CreateMainMenu();
    const std::wstring caption = Wide(form::kCaption);
    // At 96 dpi first; WM_CREATE sizes it for the dpi of the monitor it landed on.
    const RECT outer = OuterWindowRect(kFormStyle, kFormExStyle, kDesignDpi);
    const HWND window = CreateWindowExW(
        kFormExStyle, kFormClass, caption.c_str(), kFormStyle, outer.left, outer.top,
        outer.right - outer.left, outer.bottom - outer.top, application, menu, instance, &creation);
    if (window == nullptr) {
        const Exception system_failure = LastErrorException();
        // Gone already if the window took it before failing; then this call fails harmlessly.
        DestroyMenu(menu);
        if (creation.failure) std::rethrow_exception(creation.failure);
        throw system_failure;
    }
    if (application != nullptr) SetMainWindow(application, window);
    return window;
}

int ChildWindowId(form::ControlId id) {
    return kFirstControlId + static_cast<int>(form::IndexOf(id));
}

HWND ControlOf(HWND form, form::ControlId id) {
    const FormState* state = StateOf(form);
    return state != nullptr ? Control(*state, id) : nullptr;
}

}  // namespace korva::win32
