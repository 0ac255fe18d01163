#include "frontends/win32/frame_place.hpp"

#include "frontends/model/frame_place.hpp"

namespace korva::win32 {

void FitIntoWorkArea(HWND window) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR under = MonitorFromPoint({frame.left, frame.top}, MONITOR_DEFAULTTONEAREST);
    if (!GetMonitorInfoW(under, &monitor)) return;
    const RECT& work = monitor.rcWork;
    const form::Point corner = form::FramePlace(
        {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
        {work.left, work.top, work.right - work.left, work.bottom - work.top});
    if (corner.left == frame.left && corner.top == frame.top) return;
    SetWindowPos(window, nullptr, corner.left, corner.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace korva::win32
