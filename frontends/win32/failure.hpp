// The one way the window shows a failure: a modal error box captioned with the application
// title. Which failure shows which text is the failure model's (frontends/model); this puts it on
// screen, also when memory has run out.
#pragma once

#include <windows.h>

#include <exception>

#include "frontends/model/failure.hpp"

namespace korva::win32 {

using form::EAbort;
using form::Exception;

// Shows caption and text and returns once the user has dismissed them. It must not need new
// memory: the guard calls it with pre-built texts when memory has run out.
struct ErrorBox {
    void (*show)(void* context, HWND owner, const wchar_t* caption, const wchar_t* text);
    void* context;
};

// The real one: MessageBoxW with one OK button and the stop icon.
ErrorBox SystemErrorBox();

// For a failure that left a handler: EAbort is dropped, std::bad_alloc shown as "Out of
// memory.", any other foreign failure as "External exception E06D7363.", an Exception by its
// message with the period rule. A mouse capture the handler left behind is cancelled first.
void ShowEventFailure(std::exception_ptr failure, HWND owner, const ErrorBox& box) noexcept;

// For a failure that left start-up: every Exception is shown, EAbort included; std::bad_alloc
// as "Out of memory."; anything else as an empty box.
void ShowStartUpFailure(std::exception_ptr failure, const ErrorBox& box) noexcept;

// The Exception for a failed Win32 call: the system's own text for GetLastError().
Exception LastErrorException();

// Runs handler; a failure that leaves it is shown as the event guard shows it, and on_failure
// returned instead. No failure may unwind through the system's message dispatch.
template <class Result, class Handler>
Result Guarded(HWND owner, const ErrorBox& box, Result on_failure, Handler&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        ShowEventFailure(std::current_exception(), owner, box);
        return on_failure;
    }
}

}  // namespace korva::win32
