// Keeps a window's text in the designed face at the scale of the screen it is on.
#pragma once

class QWidget;

namespace korva::qt {

// From the window's first show on, and again whenever it comes to a screen of another scale,
// re-chooses the face of every designed font set on the window or its widgets, each keeping its
// point size: the bitmap where it draws true, else the scalable stand-in (see design_font.hpp).
// Before the window is shown Qt knows only the largest scale of all screens.
void FollowScale(QWidget& window);

}  // namespace korva::qt
