#include "frontends/win32/application_window.hpp"

#include <string>

#include "frontends/model/form.hpp"
#include "frontends/win32/failure.hpp"
#include "frontends/win32/wide_text.hpp"
#include "frontends/win32/window_class.hpp"

namespace korva::win32 {
namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";
// Visible, so that the task bar lists it, but without size: it never shows on screen. A
// caption, system menu and minimise box give its task-bar entry Restore, Minimise and Close.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Set while the application window restores itself from its task-bar entry.
constexpr wchar_t kRestoring[] = L"KorvaRestoring";

HWND MainWindowOf(HWND application) {
    return reinterpret_cast<HWND>(GetWindowLongPtrW(application, GWLP_USERDATA));
}

// Activation that reaches the application window (a click on its task-bar entry, Alt+Tab, a
// restore) goes on to the window the user last worked in: MainForm, or the error box over it.
void PassActivation(HWND application) {
    const HWND main = MainWindowOf(application);
    if (main == nullptr || IsIconic(application)) return;
    const HWND target = GetLastActivePopup(main);
    if (IsWindowVisible(target)) SetActiveWindow(target);
}

// The task bar brings the application window to the front over MainForm when the user clicks
// its entry while MainForm is active: a task bar that sees MainForm in front, not the entry's own
// window, does so instead of minimising, as it would for the active program. The program never
// asks for that from another thread, and a restore, which shows and activates MainForm before
// the application window, is no such click.
bool IsClickOnActiveEntry(HWND application, HWND previous) {
    return previous != nullptr && previous == MainWindowOf(application) &&
           InSendMessageEx(nullptr) != ISMEX_NOSEND && GetPropW(application, kRestoring) == nullptr;
}

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) return 0;
            if (IsClickOnActiveEntry(window, reinterpret_cast<HWND>(lParam))) {
                ShowWindow(window, SW_MINIMIZE);
                return 0;
            }
            PassActivation(window);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_RESTORE) {
                SetPropW(window, kRestoring, reinterpret_cast<HANDLE>(1));
                const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
                RemovePropW(window, kRestoring);
                return result;
            }
            break;
        case WM_SIZE:
            // MainForm goes and comes with the task-bar entry (Windows hides an owned window
            // with its owner, wine does not); shown again, it is active.
            if (const HWND main = MainWindowOf(window)) {
                if (wParam == SIZE_MINIMIZED) ShowWindow(main, SW_HIDE);
                if (wParam == SIZE_RESTORED && !IsWindowVisible(main)) ShowWindow(main, SW_SHOW);
            }
            return 0;
        case WM_CLOSE:
            // The task bar's Close closes MainForm, which ends the program as its own close does.
            if (const HWND main = MainWindowOf(window)) {
                PostMessageW(main, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterApplicationClass(HINSTANCE instance) {
    RegisterWindowClass(instance,
                        {.name = kApplicationClass, .procedure = ApplicationProc, .icon = true});
}

HWND CreateApplication(HINSTANCE instance) {
    RegisterApplicationClass(instance);
    const std::wstring title = Wide(form::kApplicationTitle);
    // At the form's place: where the system animates a minimise from.
    const HWND window =
        CreateWindowExW(0, kApplicationClass, title.c_str(), kStyle, form::kWindowPosition.left,
                        form::kWindowPosition.top, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) throw LastErrorException();
    // Shown without taking the activation, which is MainForm's to take.
    ShowWindow(window, SW_SHOWNA);
    return window;
}

}  // namespace

ApplicationWindow::ApplicationWindow(HINSTANCE instance) : window_(CreateApplication(instance)) {}

ApplicationWindow::~ApplicationWindow() {
    DestroyWindow(window_);
}

void SetMainWindow(HWND application, HWND form) {
    SetWindowLongPtrW(application, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
}

void MinimizeApplication(HWND form) {
    const HWND application = GetWindow(form, GW_OWNER);
    ShowWindow(application != nullptr ? application : form, SW_MINIMIZE);
}

void ShowMainWindow(HWND form, int show) {
    const bool minimized = show == SW_MINIMIZE || show == SW_SHOWMINIMIZED ||
                           show == SW_SHOWMINNOACTIVE || show == SW_FORCEMINIMIZE;
    // Minimised, MainForm stays hidden until the application is restored.
    if (minimized) return MinimizeApplication(form);
    ShowWindow(form, show);
}

}  // namespace korva::win32
