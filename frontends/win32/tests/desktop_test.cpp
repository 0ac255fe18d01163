// MainForm on a desktop with a task bar, as players meet it: wine's virtual desktop "shell" of
// 1280x1024 at 200 % (192 dpi), its task bar along the bottom. What is checked is read back from
// the system: the frame's place, the task bar's own drawing of the program's entry, the
// windows' state after a click on that entry, and the event screen readers get after a count.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "frontends/model/form.hpp"
#include "frontends/win32/application_window.hpp"
#include "frontends/win32/layout.hpp"
#include "frontends/win32/live_region.hpp"
#include "frontends/win32/main_form.hpp"
#include "frontends/win32/message_loop.hpp"

namespace {

using namespace korva;
using namespace korva::win32;

// MainForm, owned by the application window, shown and active as the program starts it.
class Desktop : public testing::Test {
  protected:
    Desktop()
        : application_(GetModuleHandleW(nullptr)),
          form_(CreateMainForm(GetModuleHandleW(nullptr), application_.handle(), {})) {
        ShowMainWindow(form_, SW_SHOW);
        SetForegroundWindow(form_);
        UpdateWindow(form_);
        PumpUntil([this] { return GetForegroundWindow() == form_; });
    }
    ~Desktop() override {
        DestroyWindow(form_);
        PumpUntil([] { return false; }, 100);
    }

    // The program's own loop step for every message, until done() holds or ms have passed.
    bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000) const {
        const ULONGLONG deadline = GetTickCount64() + ms;
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message != WM_QUIT) DispatchFormMessage(form_, message);
            }
            if (done()) return true;
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) return false;
            const auto wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20));
            MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        }
    }

    HWND application() const { return application_.handle(); }

    // The mouse moved to at, its left button pressed and released, in one stream of input;
    // first the time for a double click goes by, so that it is a click of its own.
    void ClickAt(POINT at) const {
        PumpUntil([] { return false; }, GetDoubleClickTime() + 50);
        INPUT click[3]{};
        for (INPUT& input : click) input.type = INPUT_MOUSE;
        click[0].mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        click[0].mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        click[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(3, click, sizeof(INPUT));
    }

    ApplicationWindow application_;
    const HWND form_;
};

// The task bar's button for window, once the task bar shows it.
HWND TaskBarEntry(HWND window) {
    const HWND task_bar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (task_bar == nullptr) return nullptr;
    for (HWND entry = FindWindowExW(task_bar, nullptr, nullptr, nullptr); entry != nullptr;
         entry = FindWindowExW(task_bar, entry, nullptr, nullptr)) {
        if (GetWindowLongPtrW(entry, GWLP_ID) == reinterpret_cast<LONG_PTR>(window)) {
            return IsWindowVisible(entry) ? entry : nullptr;
        }
    }
    return nullptr;
}

// A point of the entry's background, right of its icon and title.
POINT BackgroundOf(HWND entry) {
    RECT rect;
    GetWindowRect(entry, &rect);
    return {rect.right - 10, (rect.top + rect.bottom) / 2};
}

COLORREF ScreenPixel(POINT at) {
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

TEST_F(Desktop, FrameStandsInTheWorkAreaMovedInJustFarEnough) {
    RECT frame;
    GetWindowRect(form_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT work = monitor.rcWork;
    const UINT dpi = GetDpiForWindow(form_);
    // The scene: at its designed place the frame would stand over the right edge and the task
    // bar.
    ASSERT_GT(Scaled(form::kWindowPosition.left, dpi) + frame.right - frame.left, work.right);
    ASSERT_GT(Scaled(form::kWindowPosition.top, dpi) + frame.bottom - frame.top, work.bottom);
    ASSERT_LT(work.bottom, monitor.rcMonitor.bottom) << "no task bar";
    EXPECT_EQ(frame.right, work.right);
    EXPECT_EQ(frame.bottom, work.bottom);
}

TEST_F(Desktop, TaskBarEntryShowsAndSwitchesTheProgramAsForAnyWindow) {
    HWND entry = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (entry = TaskBarEntry(application())) != nullptr; }))
        << "no task-bar entry for the application window";
    const auto drawn = [&](int colour) {
        return ScreenPixel(BackgroundOf(entry)) == GetSysColor(colour);
    };
    EXPECT_TRUE(PumpUntil([&] { return drawn(COLOR_ACTIVECAPTION); }))
        << "the entry is not drawn active while MainForm is";

    // Another program's window in front: the entry is drawn inactive, and a click on it brings
    // MainForm back.
    const HWND other =
        CreateWindowExW(0, L"Static", L"Anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(PumpUntil([&] { return TaskBarEntry(other) != nullptr && drawn(COLOR_BTNFACE); }))
        << "the entry is drawn active while another window is";
    ClickAt(BackgroundOf(entry));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form_; }))
        << "a click on the entry of a program in the background does not bring MainForm back";
    EXPECT_FALSE(IsIconic(application()));
    DestroyWindow(other);

    // The entry of the active program: a click minimises it, the next restores it.
    ASSERT_TRUE(PumpUntil([&] { return drawn(COLOR_ACTIVECAPTION); }));
    ClickAt(BackgroundOf(entry));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(application()) && !IsWindowVisible(form_); }))
        << "a click on the entry of the active program does not minimise it";
    ClickAt(BackgroundOf(entry));
    EXPECT_TRUE(PumpUntil([&] {
        return !IsIconic(application()) && IsWindowVisible(form_) && GetForegroundWindow() == form_;
    })) << "a click on the entry of the minimised program does not bring MainForm back";
    EXPECT_TRUE(IsChild(form_, GetFocus())) << "the keyboard focus is not in MainForm";
}

// What the accessibility event hook saw: the window, object and child of each live region
// change.
using Change = std::tuple<HWND, LONG, LONG>;
std::vector<Change> changes;

void CALLBACK RecordChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
    changes.emplace_back(window, object, child);
}

TEST_F(Desktop, EachCountTellsScreenReadersThatOutputChanged) {
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        RecordChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const std::vector<Change> output{
        {ControlOf(form_, form::ControlId::kOutput), OBJID_CLIENT, CHILDID_SELF}};
    for (const form::ControlId button :
         {form::ControlId::kSabo, form::ControlId::kPluen, form::ControlId::kSabo}) {
        changes.clear();
        SendMessageW(ControlOf(form_, button), BM_CLICK, 0, 0);
        PumpUntil([] { return !changes.empty(); }, 2000);
        EXPECT_EQ(changes, output) << form::ControlOf(button).name;
    }
    UnhookWinEvent(hook);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // As the program: COM for the accessibility service.
    const ComApartment com;
    RegisterFormClasses(GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
