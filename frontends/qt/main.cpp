#include <cstdio>
#include <memory>

#include "frontends/qt/guarded_application.hpp"
#include "frontends/qt/main_form.hpp"
#include "frontends/qt/start_up.hpp"

using namespace korva::qt;

int main(int argc, char** argv) {
    // Qt aborts inside QApplication's constructor when it finds no display; say so in German
    // first, and end with a plain failure status.
    if (!GraphicalDisplayGiven()) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }
    // The program takes no arguments, and Qt would read its own from the command line
    // (-reverse, -qwindowtitle, -geometry, -style, ...) and change the window with them.
    char fallback_name[] = "korva-counter";
    char* qt_argv[] = {argc > 0 && argv[0] ? argv[0] : fallback_name, nullptr};
    int qt_argc = 1;
    GuardedApplication app(qt_argc, qt_argv, ShowCriticalBox);
    SetApplicationIdentity();
    LoadQtTranslations(app);
    std::unique_ptr<TMainForm> MainForm;
    return RunUntilClosed(
        MainForm, [] { return std::make_unique<TMainForm>(); }, ShowCriticalBox);
}
