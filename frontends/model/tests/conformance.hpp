// What every window must do beyond form.hpp's tables, as rows for a driver in each front end's
// tests: the Tab stops, the keys that press a button or must not reach the menu bar, the keys
// that copy the result, the keys Output ignores, and which failure shows which error box. Places,
// captions, fonts and the menu come straight from form.hpp's own tables.
//
// The browser cases read the ButtonPress rows and the FailureRow rows of Failure::kMessage from
// this file's text (frontends/web/tests/form.mjs): keep each of those rows on one line.
#pragma once

#include <array>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <string_view>

#include "frontends/model/failure.hpp"
#include "frontends/model/form.hpp"

namespace korva::conformance {

using form::ControlId;

constexpr int PointSizeOf(const form::Control& control) {
    return control.kind == form::Kind::kLabel ? form::kLabelPointSize : form::kWindowPointSize;
}

// The controls Tab stops at, in their order, from the first focus: neither the labels nor the
// panel, nor a disabled button.
inline constexpr auto kTabStops = [] {
    std::array<ControlId, 4> stops{};
    std::size_t count = 0;
    for (const form::Control& c : form::kControls) {
        if (c.enabled && c.kind != form::Kind::kLabel && c.kind != form::Kind::kPanel) {
            stops.at(count++) = c.id;
        }
    }
    return stops;
}();
static_assert(kTabStops.front() == form::kFirstFocus);

// A key as the rows name it: a letter key, or one of the others.
enum class KeyName {
    kLetter,
    kEnter,
    kKeypadEnter,
    kSpace,
    kInsert,
    kDelete,
    kBackspace,
    kAlt,
    kF10
};

struct Keystroke {
    std::string_view name;
    KeyName key;
    char letter = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

struct ButtonPress {
    std::string_view name;
    ControlId button;
    KeyName key;
};

// clang-format off
// Each key on each button, the buttons taking turns, so that every press changes the result.
inline constexpr std::array kButtonPresses{
    ButtonPress{"Enter on Sabo", ControlId::kSabo, KeyName::kEnter},
    ButtonPress{"Space on Pluen", ControlId::kPluen, KeyName::kSpace},
    ButtonPress{"Space on Sabo", ControlId::kSabo, KeyName::kSpace},
    ButtonPress{"Enter on Pluen", ControlId::kPluen, KeyName::kEnter},
    ButtonPress{"keypad Enter on Sabo", ControlId::kSabo, KeyName::kKeypadEnter},
    ButtonPress{"keypad Enter on Pluen", ControlId::kPluen, KeyName::kKeypadEnter},
};

// The keys that would take the keyboard into a menu bar; the dead one must ignore them.
inline constexpr std::array kMenuKeys{
    Keystroke{"Alt", KeyName::kAlt, 0, false, false, true},
    Keystroke{"Alt+O", KeyName::kLetter, 'O', false, false, true},
    Keystroke{"F10", KeyName::kF10},
};

// The keys that copy all of Output once Ctrl+A has selected it: the exact text, CR LF included.
inline constexpr std::array kCopyKeys{
    Keystroke{"Ctrl+C", KeyName::kLetter, 'C', true},
    Keystroke{"Ctrl+Insert", KeyName::kInsert, 0, true},
};

// What a player may try on the read-only Output, all of it selected; none of it changes it.
inline constexpr std::array kOutputEdits{
    Keystroke{"typing", KeyName::kLetter, 'X'},
    Keystroke{"Ctrl+V", KeyName::kLetter, 'V', true},
    Keystroke{"Shift+Insert", KeyName::kInsert, 0, false, true},
    Keystroke{"Ctrl+X", KeyName::kLetter, 'X', true},
    Keystroke{"Shift+Delete", KeyName::kDelete, 0, false, true},
    Keystroke{"Delete", KeyName::kDelete},
    Keystroke{"Backspace", KeyName::kBackspace},
    Keystroke{"Enter", KeyName::kEnter},
    Keystroke{"Ctrl+Z", KeyName::kLetter, 'Z', true},
};
// clang-format on

enum class Failure { kMessage, kAbort, kOutOfMemory, kStdException, kNoException };

struct FailureRow {
    std::string_view name;
    Failure failure;
    std::u16string_view message;
    const char16_t* in_a_command;
    const char16_t* at_start_up;
};

// clang-format off
// Each way to fail; what the error box then shows (nullptr: no box) in a command and at start-up.
inline constexpr std::array kFailures{
    FailureRow{"message",            Failure::kMessage,      u"Zähler kaputt: ä", u"Zähler kaputt: ä.", u"Zähler kaputt: ä."},
    FailureRow{"question mark",      Failure::kMessage,      u"Wirklich?",        u"Wirklich?.",        u"Wirklich?."},
    FailureRow{"period",             Failure::kMessage,      u"Fehler.",          u"Fehler.",           u"Fehler."},
    FailureRow{"exclamation mark",   Failure::kMessage,      u"Fehler!",          u"Fehler!",           u"Fehler!"},
    FailureRow{"empty message",      Failure::kMessage,      u"",                 u"",                  u""},
    FailureRow{"EAbort",             Failure::kAbort,        u"",                 nullptr,              u"Operation aborted."},
    FailureRow{"std::bad_alloc",     Failure::kOutOfMemory,  u"",                 form::kOutOfMemoryText, form::kOutOfMemoryText},
    FailureRow{"std::runtime_error", Failure::kStdException, u"",                 form::kForeignFailureText, u""},
    FailureRow{"not an exception",   Failure::kNoException,  u"",                 form::kForeignFailureText, u""},
};
// clang-format on

[[noreturn]] inline void Throw(const FailureRow& row) {
    if (row.failure == Failure::kMessage) throw form::Exception(std::u16string(row.message));
    if (row.failure == Failure::kAbort) throw form::EAbort();
    if (row.failure == Failure::kOutOfMemory) throw std::bad_alloc();
    if (row.failure == Failure::kStdException) throw std::runtime_error("kaputt");
    throw 42;
}

}  // namespace korva::conformance
