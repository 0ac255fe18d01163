#include "frontends/qt/first_show.hpp"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace korva::qt {

namespace {

class FirstShowFilter : public QObject {
  public:
    FirstShowFilter(QWidget& window, std::function<void(QWindow&)> act)
        : QObject(&window), window_(window), act_(std::move(act)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            if (QWindow* native = window_.windowHandle()) act_(*native);
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    const std::function<void(QWindow&)> act_;
};

}  // namespace

void OnFirstShow(QWidget& window, std::function<void(QWindow& native)> act) {
    window.installEventFilter(new FirstShowFilter(window, std::move(act)));
}

}  // namespace korva::qt
