#include "app/qt/error_display.hpp"

#include <QCoreApplication>
#include <QMessageBox>

#include <new>

#include "app/window/closing_period.hpp"

EExternalException::EExternalException(std::uint32_t code)
    : Exception(QStringLiteral("External exception ") + QString::number(code, 16).toUpper()) {}

QString WithClosingPeriod(const QString& message) {
    const QStringView view(message);
    const std::u16string_view text(view.utf16(), static_cast<std::size_t>(view.size()));
    return korva::form::TakesClosingPeriod(text) ? message + QLatin1Char('.') : message;
}

void ShowCriticalBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

void ShowErrorBox(const Exception& failure, const ErrorBoxPresenter& present) {
    present(QCoreApplication::applicationName(), WithClosingPeriod(failure.Message()));
}

bool IsOutOfMemory(std::exception_ptr failure) noexcept {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::bad_alloc&) {
        return true;
    } catch (...) {
        return false;
    }
}

void ShowEventFailure(std::exception_ptr failure, const ErrorBoxPresenter& present) {
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowErrorBox(e, present);
    } catch (const std::bad_alloc&) {
        ShowErrorBox(EOutOfMemory(), present);
    } catch (...) {
        ShowErrorBox(EExternalException(kForeignFailureCode), present);
    }
}

void ShowStartUpFailure(std::exception_ptr failure, const ErrorBoxPresenter& present) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        ShowErrorBox(e, present);
    } catch (const std::bad_alloc&) {
        ShowErrorBox(EOutOfMemory(), present);
    } catch (...) {
        ShowErrorBox(Exception(QString()), present);
    }
}
