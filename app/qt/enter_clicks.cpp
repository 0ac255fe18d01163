#include "app/qt/enter_clicks.hpp"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {

class EnterClicks : public QObject {
  public:
    explicit EnterClicks(QAbstractButton& button) : QObject(&button), button_(button) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        // A disabled button receives no keys; click() checks once more all the same.
        button_.click();
        return true;
    }

  private:
    QAbstractButton& button_;
};

}  // namespace

void ClickOnEnter(QAbstractButton& button) {
    button.installEventFilter(new EnterClicks(button));
}
