// A caught failure sorted and shown by the failure model. Sorting looks by rethrowing, so this
// part, unlike failure.hpp and error_box_rule.hpp, needs exceptions.
#pragma once

#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "frontends/model/error_box_rule.hpp"
#include "frontends/model/failure.hpp"

namespace korva::form {

inline FailureKind KindOf(const std::exception_ptr& failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        return FailureKind::kAbort;
    } catch (const Exception&) {
        return FailureKind::kException;
    } catch (const std::bad_alloc&) {
        return FailureKind::kOutOfMemory;
    } catch (...) {
        return FailureKind::kForeign;
    }
}

// The box's text for the Exception that failure holds; anything else is rethrown.
inline std::u16string ExceptionBoxText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& exception) {
        return ErrorBoxText(exception.Message());
    }
}

// Calls show(std::u16string_view text) once with the text the error box shows for failure,
// caught at site, or not at all when the rule drops it; text.data() is 0-terminated. The fixed
// texts need no memory; an Exception's text does, and std::bad_alloc from making it leaves
// this function before show is called.
template <class Show>
void ShowFailure(FailureSite site, const std::exception_ptr& failure, Show&& show) {
    switch (ErrorBoxShows(site, KindOf(failure))) {
        case BoxText::kNone:
            return;
        case BoxText::kMessage: {
            const std::u16string text = ExceptionBoxText(failure);
            show(std::u16string_view(text));
            return;
        }
        case BoxText::kOutOfMemory:
            show(std::u16string_view(kOutOfMemoryText));
            return;
        case BoxText::kForeignFailure:
            show(std::u16string_view(kForeignFailureText));
            return;
        case BoxText::kEmpty:
            show(std::u16string_view(u""));
            return;
    }
}

}  // namespace korva::form
