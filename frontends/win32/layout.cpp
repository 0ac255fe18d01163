#include "frontends/win32/layout.hpp"

namespace korva::win32 {

RECT OuterWindowRect(DWORD style, DWORD ex_style, UINT dpi) {
    RECT rect{0, 0, Scaled(form::kClientSize.width, dpi), Scaled(form::kClientSize.height, dpi)};
    AdjustWindowRectExForDpi(&rect, style, TRUE, ex_style, dpi);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = Scaled(form::kWindowPosition.left, dpi);
    const int top = Scaled(form::kWindowPosition.top, dpi);
    return {left, top, left + width, top + height};
}

}  // namespace korva::win32
