#include "frontends/qt/count_announcer.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace korva::qt {

namespace {

// Screen readers know the announcer by its role: a notification.
QAccessibleInterface* NotificationFor(const QString& class_name, QObject* object) {
    if (class_name != QLatin1String(CountAnnouncer::staticMetaObject.className())) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

CountAnnouncer::CountAnnouncer(QWidget* parent) : QWidget(parent), text_(new QLabel(this)) {
    static const bool installed = (QAccessible::installFactory(NotificationFor), true);
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("CountAnnouncement"));
    setGeometry(0, 0, 0, 0);
    text_->setGeometry(0, 0, 0, 0);
    hide();
}

void CountAnnouncer::Announce(const QString& text) {
    text_->setText(text);
    setAccessibleName(text);
    hide();
    show();
}

}  // namespace korva::qt
