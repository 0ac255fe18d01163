#include <memory>

#include "app/qt/guarded_application.hpp"
#include "app/qt/main_form.hpp"
#include "app/qt/start_up.hpp"

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv, ShowCriticalBox);
    SetApplicationIdentity();
    std::unique_ptr<TMainForm> MainForm;
    return RunUntilClosed(
        MainForm, [] { return std::make_unique<TMainForm>(); }, ShowCriticalBox);
}
