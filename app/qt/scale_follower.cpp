#include "app/qt/scale_follower.hpp"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "app/qt/design_font.hpp"
#include "app/window/form.hpp"

namespace {

void Restyle(QWidget& window) {
    const TextScale scale = ScaleOf(window);
    const QString designed = QString::fromUtf8(
        korva::form::kFontFamily.data(), static_cast<qsizetype>(korva::form::kFontFamily.size()));
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (widget->testAttribute(Qt::WA_SetFont) && widget->font().family() == designed) {
            widget->setFont(DesignFont(widget->font().pointSize(), scale));
        }
    }
    // Labels drawn from a bitmap strike choose at each paint.
    window.update();
}

// Waits for the first show: only then has the window a native window that knows its screen.
class ScaleFollower : public QObject {
  public:
    explicit ScaleFollower(QWidget& window) : QObject(&window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            if (QWindow* native = window_.windowHandle()) {
                QWidget* window = &window_;
                connect(native, &QWindow::screenChanged, this, [window] { Restyle(*window); });
            }
            Restyle(window_);
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void FollowScale(QWidget& window) {
    window.installEventFilter(new ScaleFollower(window));
}
