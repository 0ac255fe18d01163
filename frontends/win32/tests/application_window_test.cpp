// The application window: the task bar's and Alt+Tab's entry, owner of MainForm; minimising,
// restoring and each way to close.
#include "frontends/win32/message_loop.hpp"
#include "frontends/win32/tests/form_fixture.hpp"

namespace korva::win32::fixture {
namespace {

// The loop until the program would end; a watchdog ends it with 99 should the window not close.
int RunUntilEnd(HWND form) {
    const UINT_PTR watchdog =
        SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
    const int status = RunMessageLoop(form);
    KillTimer(nullptr, watchdog);
    return status;
}

TEST(ApplicationWindow, OwnsMainFormAndHasTheTaskBarEntry) {
    const Form form;
    const HWND application = form.application();
    EXPECT_EQ(TextOf(application), Wide(form::kApplicationTitle)) << "application title";
    EXPECT_TRUE(GetWindow(form.window(), GW_OWNER) == application)
        << "MainForm is owned by the application window";
    EXPECT_TRUE(GetWindow(application, GW_OWNER) == nullptr && IsWindowVisible(application))
        << "the application window is unowned and visible: it has the task-bar entry";
    EXPECT_TRUE((GetWindowLongPtrW(form.window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0)
        << "MainForm has no task-bar entry of its own";
    RECT rect;
    GetWindowRect(application, &rect);
    EXPECT_TRUE(IsRectEmpty(&rect)) << "the application window takes no room on screen";
}

// MainForm's minimise button minimises the application and hides MainForm with it; the
// task-bar entry restores both, and MainForm is active again.
TEST(ApplicationWindow, MinimiseAndRestore) {
    const Form form;
    const HWND application = form.application();
    SendMessageW(form.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    form.Pump();
    EXPECT_TRUE(IsIconic(application) && !IsWindowVisible(form.window()))
        << "minimise: the application is minimised, MainForm hidden";
    SendMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    form.Pump();
    EXPECT_TRUE(!IsIconic(application) && IsWindowVisible(form.window()) &&
                !IsIconic(form.window()))
        << "restore: MainForm is shown again";
    EXPECT_TRUE(GetActiveWindow() == form.window()) << "restore: MainForm is active";
    SetFocus(form[ControlId::kOutput]);
    SetActiveWindow(application);
    form.Pump();
    EXPECT_TRUE(GetActiveWindow() == form.window())
        << "Alt+Tab to the application activates MainForm";
    EXPECT_TRUE(GetFocus() == form[ControlId::kOutput]) << "the focus comes back where it was";
}

TEST(ApplicationWindow, MinimisedStart) {
    const Form form({}, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(IsIconic(form.application()) && !IsWindowVisible(form.window()))
        << "a minimised start minimises the application";
    SendMessageW(form.application(), WM_SYSCOMMAND, SC_RESTORE, 0);
    form.Pump();
    EXPECT_TRUE(IsWindowVisible(form.window()) && !IsIconic(form.window()))
        << "a minimised start restores to MainForm";
}

// Each way to close ends the loop with the exit status 0.
TEST(ApplicationWindow, EachCloseEndsTheProgram) {
    const struct {
        const char* name;
        bool at_application;
        UINT message;
        WPARAM w_param;
    } closes[] = {
        {"MainForm's close button", false, WM_SYSCOMMAND, SC_CLOSE},
        {"Alt+F4 on MainForm", false, WM_CLOSE, 0},
        {"the task bar's Close", true, WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto& row : closes) {
        const Form form;
        PostMessageW(row.at_application ? form.application() : form.window(), row.message,
                     row.w_param, 0);
        const std::string name = row.name;
        EXPECT_EQ(RunUntilEnd(form.window()), 0) << name + ": exit status";
        EXPECT_TRUE(!IsWindow(form.window())) << name + ": MainForm is gone";
    }
}

}  // namespace
}  // namespace korva::win32::fixture
