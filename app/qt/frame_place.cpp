#include "app/qt/frame_place.hpp"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

// Acts once, on the window's first show event: the native window exists by then but is not yet
// mapped, and its gravity is set from how its position was last given.
class FramePlacer : public QObject {
  public:
    FramePlacer(QWidget& window, QPoint frame_top_left)
        : QObject(&window), window_(window), frame_top_left_(frame_top_left) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            if (QWindow* native = window_.windowHandle()) {
                // The native window still has a default size; were it to differ from the
                // widget's, Qt would give the position again, client-relative, while mapping.
                native->resize(window_.size());
                native->setFramePosition(frame_top_left_);
            }
            window_.removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    const QPoint frame_top_left_;
};

}  // namespace

void PlaceFrameAt(QWidget& window, QPoint frame_top_left) {
    window.move(frame_top_left);
    window.installEventFilter(new FramePlacer(window, frame_top_left));
}
