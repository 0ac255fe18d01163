#include "app/qt/frame_place.hpp"

#include <QWidget>
#include <QWindow>

#include "app/qt/first_show.hpp"

void PlaceFrameAt(QWidget& window, QPoint frame_top_left) {
    window.move(frame_top_left);
    QWidget* const widget = &window;
    OnFirstShow(window, [widget, frame_top_left](QWindow& native) {
        // The native window still has a default size; were it to differ from the widget's, Qt
        // would give the position again, client-relative, while mapping the window.
        native.resize(widget->size());
        native.setFramePosition(frame_top_left);
    });
}
