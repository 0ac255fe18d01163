// Runs code once, when a top-level window is first shown.
#pragma once

#include <functional>

class QWidget;
class QWindow;

namespace korva::qt {

// act gets the window's native window on its first show event: created by then, and not yet
// mapped, so it still takes hints about how it is to be placed. Nothing runs where the window
// has no native window.
void OnFirstShow(QWidget& window, std::function<void(QWindow& native)> act);

}  // namespace korva::qt
