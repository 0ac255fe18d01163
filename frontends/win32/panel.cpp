#include "frontends/win32/panel.hpp"

#include <windowsx.h>

#include "frontends/win32/window_class.hpp"

namespace korva::win32 {
namespace {

void OnPaint(HWND panel) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(panel, &paint);
    RECT frame;
    GetClientRect(panel, &frame);
    // EDGE_ETCHED is exactly a sunken outer and a raised inner bevel.
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    EndPaint(panel, &paint);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint(panel);
            return 0;
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            return SendMessageW(GetParent(panel), message, wParam, lParam);
        default:
            return DefWindowProcW(panel, message, wParam, lParam);
    }
}

}  // namespace

void RegisterPanelClass(HINSTANCE instance) {
    RegisterWindowClass(instance, {.name = kPanelClass,
                                   .procedure = PanelProc,
                                   .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
}

}  // namespace korva::win32
