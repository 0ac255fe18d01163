#include "frontends/qt/guarded_application.hpp"

#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "frontends/model/failure.hpp"

namespace korva::qt {

GuardedApplication::GuardedApplication(int& argc, char** argv, ErrorBoxPresenter present)
    : QApplication(argc, argv), present_(std::move(present)) {
    // Built once the event loop runs, so that it does not delay the main window.
    QTimer::singleShot(0, this, [this] { out_of_memory_.PrepareBox(); });
}

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

void GuardedApplication::ShowOutOfMemory() noexcept {
    out_of_memory_.Show(present_);
}

void GuardedApplication::ShowFailure(std::exception_ptr failure) noexcept {
    try {
        // A grab left behind by the failed handler would keep the mouse away from the error box
        // and from every other window.
        if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
        // Its text and box are ready: building them now would need the memory that ran out.
        if (IsOutOfMemory(failure)) return ShowOutOfMemory();
        ShowEventFailure(std::move(failure), present_);
    } catch (...) {
        // Building the text or the box of the failure ran out of memory.
        ShowOutOfMemory();
    }
}

void ShowOutOfMemory(const ErrorBoxPresenter& present) noexcept {
    if (auto* application = qobject_cast<GuardedApplication*>(QCoreApplication::instance())) {
        return application->ShowOutOfMemory();
    }
    try {
        ShowErrorBox(korva::form::kOutOfMemoryText, present);
    } catch (...) {
        std::fputs("Out of memory.\n", stderr);
    }
}

void RunGuarded(const std::function<void()>& handler) {
    if (auto* application = qobject_cast<GuardedApplication*>(QCoreApplication::instance())) {
        application->Guard(handler);
    } else {
        handler();
    }
}

}  // namespace korva::qt
