// How long a player waits under wine (or Windows) for a large paste and a count in the window,
// against the same paste into a bare multi-line edit control: what the system's own text box
// costs, which no window built on it can beat. Not a test: run it by hand (bench/window_paste.sh).
// Usage: paste_bench MEGABYTES...   (for example 5 50)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "bench/megabytes_call.hpp"
#include "bench/paste_text.hpp"
#include "frontends/model/form.hpp"
#include "frontends/win32/application_window.hpp"
#include "frontends/win32/main_form.hpp"
#include "frontends/win32/message_loop.hpp"
#include "frontends/win32/set_clipboard_text.hpp"
#include "frontends/win32/wide_text.hpp"

using namespace korva::win32;
using korva::form::ControlId;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kUsage =
    "Aufruf: paste_bench MEGABYTES...\n"
    "Misst je Größe, wie lange das Einfügen so vieler MB Berichte in das Feld \"Berichte\" und\n"
    "ein Klick auf Sabo und Plünder dauern, und dasselbe Einfügen in ein bloßes Textfeld.\n";

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's CPU time: on a loaded machine the wall time also holds the waits for a core.
double CpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Timed {
    double wall;
    double cpu;
    double focus_out = 0;  // wall time for the box to let the focus go afterwards
};

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Wine's edit control takes long to let the focus go after a large paste: a click on a button
// pays it first, so it is timed on its own.
double TimedFocusTo(HWND window) {
    const auto start = Clock::now();
    SetFocus(window);
    Pump();
    return SecondsSince(start);
}

// Select all, then the paste Ctrl+V makes (WM_PASTE), until the box has drawn it.
Timed TimedPaste(HWND box) {
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    const auto start = Clock::now();
    const double cpu = CpuSeconds();
    SendMessageW(box, WM_PASTE, 0, 0);
    UpdateWindow(box);
    Pump();
    return {SecondsSince(start), CpuSeconds() - cpu};
}

// The floor: the system's multi-line edit control alone, as large as Input, as unlimited, and
// like it without word wrap.
Timed BarePaste() {
    WNDCLASSW frame_class{};
    frame_class.lpfnWndProc = DefWindowProcW;
    frame_class.hInstance = GetModuleHandleW(nullptr);
    frame_class.lpszClassName = L"KorvaBareBox";
    RegisterClassW(&frame_class);
    const HWND frame =
        CreateWindowExW(0, frame_class.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        196, 141, 633, 385, nullptr, nullptr, frame_class.hInstance, nullptr);
    const HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                     WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                         ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                                     8, 16, 257, 361, frame, nullptr, nullptr, nullptr);
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    Pump();
    Timed paste = TimedPaste(box);
    paste.focus_out = TimedFocusTo(frame);
    DestroyWindow(frame);
    Pump();
    return paste;
}

struct WindowTimes {
    Timed paste;
    double sabo;
    double pluen;
    int length;
};

WindowTimes WindowPaste(HINSTANCE instance) {
    const ApplicationWindow application(instance);
    RegisterFormClasses(instance);
    const HWND form = CreateMainForm(instance, application.handle(), FormOptions{});
    ShowMainWindow(form, SW_SHOW);
    UpdateWindow(form);
    Pump();
    WindowTimes times{};
    times.paste = TimedPaste(ControlOf(form, ControlId::kInput));
    times.length = GetWindowTextLengthW(ControlOf(form, ControlId::kInput));
    times.paste.focus_out = TimedFocusTo(ControlOf(form, ControlId::kSabo));
    for (const auto& [button, seconds] :
         {std::pair{ControlId::kSabo, &times.sabo}, std::pair{ControlId::kPluen, &times.pluen}}) {
        const auto start = Clock::now();
        SendMessageW(ControlOf(form, button), BM_CLICK, 0, 0);
        UpdateWindow(ControlOf(form, ControlId::kOutput));
        Pump();
        *seconds = SecondsSince(start);
    }
    DestroyWindow(form);
    Pump();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    const korva::bench::MegabytesCall call = korva::bench::ParseMegabytes(argc, argv, kUsage, 1000);
    if (call.sizes.empty()) return call.status;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const int megabytes : call.sizes) {
        const std::wstring text(AsWide(korva::bench::PasteText(megabytes, u"\r\n")));
        if (!SetClipboardText(text)) {
            std::fputs("the clipboard could not take the text\n", stderr);
            return 1;
        }
        const Timed bare = BarePaste();
        const WindowTimes window = WindowPaste(instance);
        if (window.length != static_cast<int>(text.size())) {
            std::fprintf(stderr, "Input holds %d characters of %zu\n", window.length, text.size());
            return 1;
        }
        std::printf(
            "%4d MB (%zu characters): bare EDIT paste %.2f s (CPU %.2f s), focus out %.2f s | "
            "window: paste %.2f s (CPU %.2f s; %.2fx the bare box's CPU), focus out of Berichte "
            "%.2f s, Sabo %.2f s, Pluender %.2f s, paste and Sabo %.2f s\n",
            megabytes, text.size(), bare.wall, bare.cpu, bare.focus_out, window.paste.wall,
            window.paste.cpu, window.paste.cpu / bare.cpu, window.paste.focus_out, window.sabo,
            window.pluen, window.paste.wall + window.paste.focus_out + window.sabo);
        std::fflush(stdout);
    }
    return 0;
}
