// korva-counter.exe: the window on Windows.
#include <windows.h>

#include <commctrl.h>

#include "frontends/win32/application_window.hpp"
#include "frontends/win32/failure.hpp"
#include "frontends/win32/live_region.hpp"
#include "frontends/win32/main_form.hpp"
#include "frontends/win32/message_loop.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const korva::win32::ErrorBox error_box = korva::win32::SystemErrorBox();
    const korva::win32::ComApartment com;
    try {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        korva::win32::RegisterFormClasses(instance);
        const korva::win32::ApplicationWindow application(instance);
        const HWND MainForm = korva::win32::CreateMainForm(instance, application.handle(),
                                                           korva::win32::FormOptions{});
        korva::win32::ShowMainWindow(MainForm, show);
        UpdateWindow(MainForm);
        return korva::win32::RunMessageLoop(MainForm);
    } catch (...) {
        korva::win32::ShowStartUpFailure(std::current_exception(), error_box);
    }
    return 0;
}
