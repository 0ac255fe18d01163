// The one way a failure reaches the user: a modal error box captioned with the application title.
// Which failure shows which text is the failure model's (frontends/model); this puts it on screen.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <string_view>

#include "frontends/model/failure.hpp"

namespace korva::qt {

// The failures by the names the window's code throws and catches.
using korva::form::EAbort;
using korva::form::Exception;

// Shows caption and text to the user and returns once they are dismissed.
using ErrorBoxPresenter = std::function<void(const QString& caption, const QString& text)>;

// The real presenter: a modal critical message box with one OK button.
void ShowCriticalBox(const QString& caption, const QString& text);

// Presents text captioned with the application title.
void ShowErrorBox(std::u16string_view text, const ErrorBoxPresenter& present);

// Whether failure is std::bad_alloc: running out of memory. Asks for no memory itself.
bool IsOutOfMemory(const std::exception_ptr& failure) noexcept;

// For a failure that left the processing of an event: EAbort is dropped, std::bad_alloc shown as
// "Out of memory.", any other non-Exception as an external exception.
void ShowEventFailure(const std::exception_ptr& failure, const ErrorBoxPresenter& present);

// For a failure that left start-up: every Exception is shown, EAbort included; std::bad_alloc as
// "Out of memory."; anything else as an empty box.
void ShowStartUpFailure(const std::exception_ptr& failure, const ErrorBoxPresenter& present);

}  // namespace korva::qt
