// The window's description (frontends/model/form.hpp) as HTML and CSS: the same controls, names,
// captions, places and fonts as the Qt and Win32 windows.
#pragma once

#include <string>
#include <string_view>

namespace korva::web {

// Text for HTML content or a quoted attribute value.
std::string Escaped(std::string_view text);

// The menu bar: its top-level entries, greyed and with no way in, mnemonics underlined.
std::string MenuMarkup();

// Every control in tab order, Panel1's buttons inside it, each with its name as its id.
std::string ControlsMarkup();

// The font sizes, the client area's size, each control's place and size (wide screens) and the
// order the controls stack in (narrow screens).
std::string FormStyle();

// Where the window stands at its designed size: wide enough for it, high enough for it and its
// menu bar (a phone held sideways is lower, 430 px at most), and worked with a mouse or none.
// Elsewhere (phones upright or sideways, touch tablets, a page zoomed far in) the controls stack
// at full width with text and buttons for a thumb.
inline constexpr std::string_view kWideScreen =
    "(min-width: 640px) and (min-height: 440px) and (pointer: fine), "
    "(min-width: 640px) and (min-height: 440px) and (pointer: none)";
inline constexpr std::string_view kNarrowScreen =
    "(max-width: 639.98px), (max-height: 439.98px), (pointer: coarse)";

// A character height in pixels for a point size at 96 dpi.
constexpr int PixelsOfPoints(int points) {
    return (points * 96 + 36) / 72;
}

}  // namespace korva::web
