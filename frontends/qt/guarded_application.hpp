// The application object with its event guard: a failure escaping any event handler is shown in
// the error box, and the event loop goes on.
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

#include "frontends/qt/error_display.hpp"
#include "frontends/qt/out_of_memory_notice.hpp"

namespace korva::qt {

class GuardedApplication : public QApplication {
    Q_OBJECT

  public:
    // present shows the error box; tests pass one that records instead.
    GuardedApplication(int& argc, char** argv, ErrorBoxPresenter present);

    // The last line of defence, for a failure that escapes some handler not run by RunGuarded.
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs handler; a failure that leaves it is shown as the guard shows it, right here.
    void Guard(const std::function<void()>& handler);

    // Shows "Out of memory." with what was made ready for it at start-up.
    void ShowOutOfMemory() noexcept;

  private:
    // Shows failure without ever throwing: running out of memory on the way shows that instead.
    void ShowFailure(std::exception_ptr failure) noexcept;

    ErrorBoxPresenter present_;
    OutOfMemoryNotice out_of_memory_;
};

// Runs a command handler under the application's event guard. Qt's event delivery is not built
// for exceptions to pass through it (a failure unwinding through it leaks its event objects and
// may leave it in disorder), so handlers are guarded where Qt calls them, not only around the
// whole event.
void RunGuarded(const std::function<void()>& handler);

// Shows "Out of memory." through the application's notice, made ready at start-up; without a
// GuardedApplication through present, or failing that on standard error. Never throws.
void ShowOutOfMemory(const ErrorBoxPresenter& present) noexcept;

}  // namespace korva::qt
