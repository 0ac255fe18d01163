#include "frontends/qt/start_up.hpp"

#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <QtGlobal>

#include "frontends/model/form.hpp"
#include "frontends/qt/guarded_application.hpp"

namespace korva::qt {

const char* const kNoDisplayMessage =
    "korva-counter: Keine grafische Anzeige gefunden. Setzen Sie DISPLAY (X11) oder "
    "WAYLAND_DISPLAY (Wayland), oder wählen Sie die Qt-Plattform mit QT_QPA_PLATFORM "
    "(zum Beispiel QT_QPA_PLATFORM=offscreen).\n";

void SetApplicationIdentity() {
    // The title of the task bar and of every error box. No display name is set, because Qt
    // would append it to the window's own caption.
    QApplication::setApplicationName(QString::fromUtf8(korva::form::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(KORVA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("de.korva.KorvaCounter"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/korva-counter-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}

void ShowStartUpFailureSafely(std::exception_ptr failure,
                              const ErrorBoxPresenter& present) noexcept {
    try {
        if (IsOutOfMemory(failure)) return ShowOutOfMemory(present);
        ShowStartUpFailure(std::move(failure), present);
    } catch (...) {
        ShowOutOfMemory(present);
    }
}

bool GraphicalDisplayGiven() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

bool LoadQtTranslations(QApplication& app) {
    // The program is German whatever the user's locale, so the German file is asked for by
    // name. qtbase holds the texts of the widgets' own menus and dialogs.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

}  // namespace korva::qt
