#include "app/win32/panel.hpp"

#include <windowsx.h>

#include "app/win32/failure.hpp"

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
    WNDCLASSEXW panel_class{};
    panel_class.cbSize = sizeof panel_class;
    panel_class.lpfnWndProc = PanelProc;
    panel_class.hInstance = instance;
    panel_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panel_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panel_class.lpszClassName = kPanelClass;
    if (RegisterClassExW(&panel_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw LastErrorException();
    }
}

}  // namespace korva::win32
