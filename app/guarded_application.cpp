#include "app/guarded_application.hpp"

#include <QWidget>

GuardedApplication::GuardedApplication(int& argc, char** argv, ErrorBoxPresenter present)
    : QApplication(argc, argv), present_(std::move(present)) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // A grab left behind by the failed handler would keep the mouse away from the error
        // box and from every other window.
        if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
        ShowEventFailure(std::current_exception(), present_);
        return false;
    }
}
