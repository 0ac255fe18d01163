#include "app/qt/frame_place.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "app/qt/first_show.hpp"
#include "app/window/frame_place.hpp"

namespace {

// The frame's corner for native designed at designed, with the frame widths known so far, on
// the available area of the screen under designed.
QPoint FittedCorner(const QWindow& native, QPoint designed) {
    const QScreen* screen = QGuiApplication::screenAt(designed);
    if (screen == nullptr) screen = native.screen();
    if (screen == nullptr) return designed;
    const QSize frame = native.frameGeometry().size();
    const QRect area = screen->availableGeometry();
    const korva::form::Point corner =
        korva::form::FramePlace({designed.x(), designed.y(), frame.width(), frame.height()},
                                {area.x(), area.y(), area.width(), area.height()});
    return {corner.left, corner.top};
}

// The window manager tells the frame's widths only once it has framed the window, after it
// was placed; the frame is fitted once more then, and left where the user puts it afterwards.
class FrameFitter : public QObject {
  public:
    FrameFitter(QWindow& native, QPoint designed)
        : QObject(&native), native_(native), designed_(designed) {
        native.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                            event->type() == QEvent::Expose;
        if (watched == &native_ && placed && !native_.frameMargins().isNull()) {
            native_.removeEventFilter(this);
            const QPoint corner = FittedCorner(native_, designed_);
            if (corner != native_.framePosition()) native_.setFramePosition(corner);
            deleteLater();
        }
        return false;
    }

  private:
    QWindow& native_;
    const QPoint designed_;
};

}  // namespace

void PlaceFrameAt(QWidget& window, QPoint frame_top_left) {
    window.move(frame_top_left);
    QWidget* const widget = &window;
    OnFirstShow(window, [widget, frame_top_left](QWindow& native) {
        // The native window still has a default size; were it to differ from the widget's, Qt
        // would give the position again, client-relative, while mapping the window.
        native.resize(widget->size());
        native.setFramePosition(FittedCorner(native, frame_top_left));
        new FrameFitter(native, frame_top_left);
    });
}
