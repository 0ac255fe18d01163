// The form's places, which are pixels at 96 dpi, at the dpi of the window's monitor.
#pragma once

#include <windows.h>

#include "frontends/model/form.hpp"

namespace korva::win32 {

inline constexpr UINT kDesignDpi = 96;

constexpr int Scaled(int pixels, UINT dpi) {
    // Rounded to the nearest pixel, as MulDiv does.
    const long long product = static_cast<long long>(pixels) * dpi;
    return static_cast<int>((product + kDesignDpi / 2) / kDesignDpi);
}

constexpr RECT ScaledRect(form::Rect rect, UINT dpi) {
    const int left = Scaled(rect.left, dpi);
    const int top = Scaled(rect.top, dpi);
    return {left, top, left + Scaled(rect.width, dpi), top + Scaled(rect.height, dpi)};
}

// The outer window (frame and menu bar included) whose client area is the form's client size
// at dpi, at the form's place on the screen.
RECT OuterWindowRect(DWORD style, DWORD ex_style, UINT dpi);

// The font height for CreateFontW: the character height in pixels of a point size at dpi.
constexpr int FontHeight(int point_size, UINT dpi) {
    return -static_cast<int>((static_cast<long long>(point_size) * dpi + 36) / 72);
}

}  // namespace korva::win32
