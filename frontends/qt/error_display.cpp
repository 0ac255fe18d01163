#include "frontends/qt/error_display.hpp"

#include <QCoreApplication>
#include <QMessageBox>

#include "frontends/model/caught_failure.hpp"

namespace korva::qt {

namespace {

void ShowFailure(korva::form::FailureSite site, const std::exception_ptr& failure,
                 const ErrorBoxPresenter& present) {
    korva::form::ShowFailure(site, failure,
                             [&present](std::u16string_view text) { ShowErrorBox(text, present); });
}

}  // namespace

void ShowCriticalBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

void ShowErrorBox(std::u16string_view text, const ErrorBoxPresenter& present) {
    present(QCoreApplication::applicationName(),
            QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

bool IsOutOfMemory(const std::exception_ptr& failure) noexcept {
    return korva::form::KindOf(failure) == korva::form::FailureKind::kOutOfMemory;
}

void ShowEventFailure(const std::exception_ptr& failure, const ErrorBoxPresenter& present) {
    ShowFailure(korva::form::FailureSite::kEvent, failure, present);
}

void ShowStartUpFailure(const std::exception_ptr& failure, const ErrorBoxPresenter& present) {
    ShowFailure(korva::form::FailureSite::kStartUp, failure, present);
}

}  // namespace korva::qt
