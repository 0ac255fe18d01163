// A file dialog as the window keeps it: only its settings, until it is shown. A QFileDialog
// built at start-up would cost time and, once destroyed, write its history into the user's
// Qt settings file, and the program keeps no settings.
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QString>

namespace korva::qt {

class FileDialogComponent : public QObject {
    Q_OBJECT

  public:
    FileDialogComponent(const QString& name, QFileDialog::AcceptMode mode, QString name_filter,
                        QObject* parent);

    QFileDialog::AcceptMode AcceptMode() const { return mode_; }
    const QString& NameFilter() const { return name_filter_; }

    // Shows the dialog modally over parent; returns QDialog::Accepted or QDialog::Rejected.
    int Execute(QWidget* parent) const;

  private:
    QFileDialog::AcceptMode mode_;
    QString name_filter_;
};

}  // namespace korva::qt
