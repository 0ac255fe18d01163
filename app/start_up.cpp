#include "app/start_up.hpp"

#include <QIcon>

void SetApplicationIdentity() {
    // The title of the task bar and of every error box. No display name is set, because Qt
    // would append it to the window's own caption.
    QApplication::setApplicationName(QStringLiteral("KORVA-Counter"));
    QApplication::setApplicationVersion(QStringLiteral(KORVA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("de.korva.KorvaCounter"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/korva-counter-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}
