#include "app/qt/error_display.hpp"

#include <QCoreApplication>
#include <QMessageBox>

#include <new>

#include "counters/cp1252.hpp"

EExternalException::EExternalException(std::uint32_t code)
    : Exception(QStringLiteral("External exception ") + QString::number(code, 16).toUpper()) {}

QString WithClosingPeriod(const QString& message) {
    if (message.isEmpty()) return message;
    // A surrogate pair ends in a low surrogate, which has no byte either: "?" all the same.
    const auto last =
        static_cast<unsigned char>(korva::Cp1252FromCodePoint(message.back().unicode()));
    return last > '.' ? message + QLatin1Char('.') : message;
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
