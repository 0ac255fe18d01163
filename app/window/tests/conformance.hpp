// What every window must do beyond form.hpp's tables, as rows for a driver in each front end's
// tests: the Tab stops, the keys that press a button or must not reach the menu bar, the ways to
// copy the result, the keys Output ignores, and which failure shows which error box. Places,
// captions, fonts and the menu come straight from form.hpp's own tables.
//
// The browser cases read the ButtonPress rows and the FailureRow rows of Failure::kMessage from
// this file's text (web/tests/form.mjs): keep each of those rows on one line.
#pragma once

#include <array>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <string_view>

#include "app/window/failure.hpp"
#include "app/window/form.hpp"

namespace korva::conformance {

using form::ControlId;

constexpr int PointSizeOf(const form::Control& control) {
    return control.kind == form::Kind::kLabel ? form::kLabelPointSize : form::kWindowPointSize;
}

// Labels and the panel take no focus, nor a disabled button.
constexpr bool TakesFocus(const form::Control& control) {
    return control.enabled && control.kind != form::Kind::kLabel &&
           control.kind != form::Kind::kPanel;
}

// The controls Tab stops at, in their order, starting from the first focus.
inline constexpr auto kTabStops = [] {
    std::array<ControlId, 4> stops{};
    std::size_t count = 0;
    for (const form::Control& control : form::kControls) {
        if (TakesFocus(control)) stops.at(count++) = control.id;
    }
    return stops;
}();
static_assert(kTabStops.front() == form::kFirstFocus);

// A row's value and its name for the failure messages.
template <class Value>
struct Named {
    std::string_view name;
    Value value;
};

enum class Key { kEnter, kKeypadEnter, kSpace };

struct ButtonPress {
    std::string_view name;
    ControlId button;
    Key key;
};

// Each key on each button, the buttons taking turns, so that every press changes the result.
inline constexpr std::array kButtonPresses{
    ButtonPress{"Enter on Sabo", ControlId::kSabo, Key::kEnter},
    ButtonPress{"Space on Pluen", ControlId::kPluen, Key::kSpace},
    ButtonPress{"Space on Sabo", ControlId::kSabo, Key::kSpace},
    ButtonPress{"Enter on Pluen", ControlId::kPluen, Key::kEnter},
    ButtonPress{"keypad Enter on Sabo", ControlId::kSabo, Key::kKeypadEnter},
    ButtonPress{"keypad Enter on Pluen", ControlId::kPluen, Key::kKeypadEnter},
};

// The keys that would take the keyboard into a menu bar; the dead one must ignore them.
enum class MenuKey { kAlt, kAltO, kF10 };

inline constexpr std::array kMenuKeys{
    Named<MenuKey>{"Alt", MenuKey::kAlt},
    Named<MenuKey>{"Alt+O", MenuKey::kAltO},
    Named<MenuKey>{"F10", MenuKey::kF10},
};

// The ways a player copies all of Output; each gives the exact text, CR LF included.
enum class Copy { kCtrlC, kCtrlInsert, kCopyResultCommand };

inline constexpr std::array kCopies{
    Named<Copy>{"Ctrl+A, Ctrl+C", Copy::kCtrlC},
    Named<Copy>{"Ctrl+A, Ctrl+Insert", Copy::kCtrlInsert},
    Named<Copy>{"EditCopyResult", Copy::kCopyResultCommand},
};

// A key as the rows name it: a letter key, or one of the others.
enum class KeyName { kLetter, kInsert, kDelete, kBackspace, kReturn };

struct Keystroke {
    std::string_view name;
    KeyName key;
    char letter = 0;
    bool ctrl = false;
    bool shift = false;
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
    Keystroke{"Return", KeyName::kReturn},
    Keystroke{"Ctrl+Z", KeyName::kLetter, 'Z', true},
};

enum class Failure { kMessage, kAbort, kOutOfMemory, kStdException, kNoException };

struct FailureRow {
    std::string_view name;
    Failure failure;
    std::u16string_view message;
    // The error box's text; nullptr: no box.
    const char16_t* in_a_command;
    const char16_t* at_start_up;
};

// clang-format off
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
    switch (row.failure) {
        case Failure::kMessage:
            throw form::Exception(std::u16string(row.message));
        case Failure::kAbort:
            throw form::EAbort();
        case Failure::kOutOfMemory:
            throw std::bad_alloc();
        case Failure::kStdException:
            throw std::runtime_error("kaputt");
        case Failure::kNoException:
            break;
    }
    throw 42;
}

}  // namespace korva::conformance
