#include "app/qt/guarded_application.hpp"

#include <QWidget>

GuardedApplication::GuardedApplication(int& argc, char** argv, ErrorBoxPresenter present)
    : QApplication(argc, argv), present_(std::move(present)) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowFailure(std::current_exception());
        return false;
    }
}

void GuardedApplication::Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        ShowFailure(std::current_exception());
    }
}

void GuardedApplication::ShowFailure(std::exception_ptr failure) {
    // A grab left behind by the failed handler would keep the mouse away from the error box and
    // from every other window.
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    ShowEventFailure(std::move(failure), present_);
}

void RunGuarded(const std::function<void()>& handler) {
    if (auto* application = qobject_cast<GuardedApplication*>(QCoreApplication::instance())) {
        application->Guard(handler);
    } else {
        handler();
    }
}
