// The application object with its event guard: a failure escaping any event handler is shown in
// the error box, and the event loop goes on.
#pragma once

#include <QApplication>

#include "app/error_display.hpp"

class GuardedApplication : public QApplication {
    Q_OBJECT

  public:
    // present shows the error box; tests pass one that records instead.
    GuardedApplication(int& argc, char** argv, ErrorBoxPresenter present);

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    ErrorBoxPresenter present_;
};
