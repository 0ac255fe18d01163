// Return and keypad Enter press a focused push button, as Space does, as on the desktop the window
// was designed for. Qt leaves Enter to default buttons, and the window has none.
#pragma once

class QAbstractButton;

namespace korva::qt {

// From now on, Return or keypad Enter on button, while it has the focus, clicks it.
void ClickOnEnter(QAbstractButton& button);

}  // namespace korva::qt
