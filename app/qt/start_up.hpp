// The program's run: build the main window, show it, dispatch events until it is closed.
#pragma once

#include <QApplication>

#include <memory>

#include "app/qt/error_display.hpp"

// Sets the application title, version and icon that every window and error box takes.
void SetApplicationIdentity();

// Creates the main window into main_form, shows it and runs the event loop until it closes. A
// failure on the way (one the event guard does not catch) is shown, main_form set back to empty,
// and the run ends. The exit status is 0 either way.
template <class Form, class Create>
int RunUntilClosed(std::unique_ptr<Form>& main_form, Create&& create,
                   const ErrorBoxPresenter& present) {
    try {
        main_form = create();
        main_form->show();
        QApplication::exec();
    } catch (...) {
        main_form.reset();
        ShowStartUpFailure(std::current_exception(), present);
    }
    return 0;
}
