#include "frontends/qt/enter_clicks.hpp"

#include <QAbstractButton>
#include <QKeyEvent>

namespace korva::qt {

namespace {

class EnterClicks : public QObject {
  public:
    explicit EnterClicks(QAbstractButton& button) : QObject(&button), button_(button) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<const QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                button_.click();  // does nothing while the button is disabled
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QAbstractButton& button_;
};

}  // namespace

void ClickOnEnter(QAbstractButton& button) {
    button.installEventFilter(new EnterClicks(button));
}

}  // namespace korva::qt
