#include "app/qt/start_up.hpp"

#include <QIcon>

#include "app/window/form.hpp"

void SetApplicationIdentity() {
    // The title of the task bar and of every error box. No display name is set, because Qt
    // would append it to the window's own caption.
    QApplication::setApplicationName(
        QString::fromUtf8(korva::form::kApplicationTitle.data(),
                          static_cast<qsizetype>(korva::form::kApplicationTitle.size())));
    QApplication::setApplicationVersion(QStringLiteral(KORVA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("de.korva.KorvaCounter"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/korva-counter-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}
