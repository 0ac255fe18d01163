// Which failure the error box shows, and with which text, for a failure caught in a command and
// for one that ends the start-up.
#pragma once

#include <array>
#include <cstddef>

namespace korva::form {

enum class FailureSite { kEvent, kStartUp };

// What was caught: the silent EAbort, any other Exception, std::bad_alloc, anything else.
enum class FailureKind { kAbort, kException, kOutOfMemory, kForeign };

// What the box shows: no box, the Exception's message by ErrorBoxText, one of the fixed texts of
// failure.hpp, or an empty box.
enum class BoxText { kNone, kMessage, kOutOfMemory, kForeignFailure, kEmpty };

// A row per FailureSite, a column per FailureKind, in the order of their enumerators. In a
// command EAbort is dropped and a foreign failure named; at start-up every Exception is shown,
// EAbort included, and a foreign failure gets an Exception with an empty message.
inline constexpr std::array<std::array<BoxText, 4>, 2> kErrorBoxRule{{
    {BoxText::kNone, BoxText::kMessage, BoxText::kOutOfMemory, BoxText::kForeignFailure},
    {BoxText::kMessage, BoxText::kMessage, BoxText::kOutOfMemory, BoxText::kEmpty},
}};

constexpr BoxText ErrorBoxShows(FailureSite site, FailureKind kind) {
    return kErrorBoxRule[static_cast<std::size_t>(site)][static_cast<std::size_t>(kind)];
}

}  // namespace korva::form
