// The one way a failure reaches the user: a modal error box captioned with the application title.
#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <functional>

// A failure the program knows how to show. The message is shown as it is, apart from the closing
// period WithClosingPeriod adds.
class Exception {
  public:
    explicit Exception(QString message) : message_(std::move(message)) {}
    virtual ~Exception() = default;

    const QString& Message() const { return message_; }

  private:
    QString message_;
};

// The silent failure: the event guard drops it without a word.
class EAbort : public Exception {
  public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

// What std::bad_alloc becomes.
class EOutOfMemory : public Exception {
  public:
    EOutOfMemory() : Exception(QStringLiteral("Out of memory")) {}
};

// Any other foreign failure, named by a number in upper-case hexadecimal.
class EExternalException : public Exception {
  public:
    explicit EExternalException(std::uint32_t code);
};

// The number an EExternalException carries for a foreign C++ failure: the code Windows gives
// every C++ exception, so the message reads as it does there.
inline constexpr std::uint32_t kForeignFailureCode = 0xE06D7363;

// Appends "." when message is not empty and its last character, as a Windows-1252 byte, lies
// above "." (46). A character Windows-1252 lacks counts as "?", which also gains the period.
QString WithClosingPeriod(const QString& message);

// Shows caption and text to the user and returns once they are dismissed.
using ErrorBoxPresenter = std::function<void(const QString& caption, const QString& text)>;

// The real presenter: a modal critical message box with one OK button.
void ShowCriticalBox(const QString& caption, const QString& text);

// Presents failure's message, period rule applied, captioned with the application title.
void ShowErrorBox(const Exception& failure, const ErrorBoxPresenter& present);

// Whether failure is std::bad_alloc: running out of memory. Asks for no memory itself.
bool IsOutOfMemory(std::exception_ptr failure) noexcept;

// For a failure that left the processing of an event: EAbort is dropped, std::bad_alloc shown as
// EOutOfMemory, any other non-Exception as EExternalException.
void ShowEventFailure(std::exception_ptr failure, const ErrorBoxPresenter& present);

// For a failure that left start-up: every Exception is shown, EAbort included; std::bad_alloc as
// EOutOfMemory; anything else as an Exception with an empty message.
void ShowStartUpFailure(std::exception_ptr failure, const ErrorBoxPresenter& present);
