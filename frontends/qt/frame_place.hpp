// Puts a top-level window's frame, not its client area, at a point of the screen, or as near
// it as the screen has room for.
#pragma once

#include <QPoint>

class QWidget;

namespace korva::qt {

// Qt places a window's client area where move() asked, since the frame is unknown before the
// window manager has drawn it. This asks for the frame's corner instead, when window is first
// shown; an X11 window manager then puts the frame there (north-west gravity). Where the whole
// frame would not fit the available area of the screen under that point (at a large scale,
// on a small screen), it is moved in just far enough, or to the area's corner when larger.
void PlaceFrameAt(QWidget& window, QPoint frame_top_left);

}  // namespace korva::qt
