#include "frontends/qt/frame_place.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <optional>

#include "frontends/model/frame_place.hpp"
#include "frontends/qt/first_show.hpp"

namespace korva::qt {

namespace {

// The frame's corner for a frame of that size designed at designed, on the available area of
// the screen under designed (or else native's screen); none while the window has no screen.
std::optional<QPoint> FittedCorner(QSize frame, QPoint designed, const QWindow& native) {
    const QScreen* screen = QGuiApplication::screenAt(designed);
    if (screen == nullptr) screen = native.screen();
    if (screen == nullptr) return std::nullopt;
    const QRect area = screen->availableGeometry();
    const korva::form::Point corner =
        korva::form::FramePlace({designed.x(), designed.y(), frame.width(), frame.height()},
                                {area.x(), area.y(), area.width(), area.height()});
    return QPoint{corner.left, corner.top};
}

// The window manager tells the frame's widths only once it has framed the window, after it
// was placed; the frame is fitted once more then, on the window system's word, and left where
// the user or the program puts it afterwards.
class FrameFitter : public QObject {
  public:
    FrameFitter(QWidget& window, QPoint designed)
        : QObject(&window), window_(window), designed_(designed) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool placed = (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                            event->spontaneous();
        QWindow* const native = window_.windowHandle();
        if (watched != &window_ || !placed || native == nullptr) return false;
        // Read once: Qt asks the X server for them while they are unknown. Right after the
        // window manager has taken the window in, Qt may still see it at the frame's corner,
        // with no frame to its left or above it.
        const QMargins margins = native->frameMargins();
        if (margins.left() <= 0 && margins.top() <= 0) return false;
        const auto corner = FittedCorner(window_.size().grownBy(margins), designed_, *native);
        if (!corner) return false;
        window_.removeEventFilter(this);
        if (*corner != native->framePosition()) native->setFramePosition(*corner);
        deleteLater();
        return false;
    }

  private:
    QWidget& window_;
    const QPoint designed_;
};

}  // namespace

void PlaceFrameAt(QWidget& window, QPoint frame_top_left) {
    window.move(frame_top_left);
    QWidget* const widget = &window;
    OnFirstShow(window, [widget, frame_top_left](QWindow& native) {
        // The native window still has a default size, and the widget the designed place; were
        // either to differ from the native window's, Qt would give the widget's place again,
        // client-relative, while mapping the window.
        native.resize(widget->size());
        const QPoint corner =
            FittedCorner(widget->size(), frame_top_left, native).value_or(frame_top_left);
        widget->move(corner);
        native.setFramePosition(corner);
        new FrameFitter(*widget, frame_top_left);
    });
}

}  // namespace korva::qt
