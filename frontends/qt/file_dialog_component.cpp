#include "frontends/qt/file_dialog_component.hpp"

namespace korva::qt {

FileDialogComponent::FileDialogComponent(const QString& name, QFileDialog::AcceptMode mode,
                                         QString name_filter, QObject* parent)
    : QObject(parent), mode_(mode), name_filter_(std::move(name_filter)) {
    setObjectName(name);
}

int FileDialogComponent::Execute(QWidget* parent) const {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode_);
    dialog.setNameFilter(name_filter_);
    return dialog.exec();
}

}  // namespace korva::qt
