// The program's run: build the main window, show it, dispatch events until it is closed.
#pragma once

#include <QApplication>

#include <memory>

#include "frontends/qt/error_display.hpp"

namespace korva::qt {

// Sets the application title, version and icon that every window and error box takes.
void SetApplicationIdentity();

// Whether Qt has a display to open: DISPLAY or WAYLAND_DISPLAY, or a platform chosen with
// QT_QPA_PLATFORM (offscreen needs no display). Always true where the platform is not X11 or
// Wayland.
bool GraphicalDisplayGiven();

// What the program says on standard error when GraphicalDisplayGiven() is false.
extern const char* const kNoDisplayMessage;

// Installs Qt's own German translations into app, so the text boxes' context menus and the
// standard dialogs speak German whatever the locale. Without the translation files the program
// runs with Qt's English texts. Returns whether they were found.
bool LoadQtTranslations(QApplication& app);

// ShowStartUpFailure that never throws: running out of memory, or running out while showing
// another failure, shows "Out of memory." with what was made ready for it.
void ShowStartUpFailureSafely(std::exception_ptr failure,
                              const ErrorBoxPresenter& present) noexcept;

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
        ShowStartUpFailureSafely(std::current_exception(), present);
    }
    return 0;
}

}  // namespace korva::qt
