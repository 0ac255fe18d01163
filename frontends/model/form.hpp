// The main window as data: where everything sits, what it says, which font it takes, and the
// menu. The Qt window (Linux) and the Win32 window (Windows) are both built from these tables, and
// their tests check against them, so the two windows cannot drift apart.
//
// Texts are UTF-8. Positions and sizes are pixels at 96 dpi; each front end scales them to its
// screen.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace korva::form {

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

struct Point {
    int left;
    int top;
};

struct Size {
    int width;
    int height;
};

inline constexpr std::string_view kCaption = "KORVA-Counter Alpha 0.3";
// The task bar's name for the program and the caption of every error box.
inline constexpr std::string_view kApplicationTitle = "KORVA-Counter";

// The outer window (frame included) on the screen, and the client area below the menu bar.
inline constexpr Point kWindowPosition{196, 141};
inline constexpr Size kClientSize{633, 385};

// Every text of the window is drawn in this face; the labels in a larger size.
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr int kWindowPointSize = 8;
inline constexpr int kLabelPointSize = 10;

enum class Kind { kLabel, kInputBox, kOutputBox, kPanel, kButton };

// Which control a control sits in: the client area, or Panel1.
enum class Parent { kClient, kPanel1 };

// The controls, in the order of kControls below: a misspelt control does not compile.
enum class ControlId { kInput, kOutput, kPanel1, kSabo, kPluen, kFleet, kLabel1, kLabel2 };

struct Control {
    ControlId id;
    // The component's name as data: what a front end calls the control (object name, element
    // id).
    std::string_view name;
    Kind kind;
    Parent parent;
    Rect rect;
    std::string_view caption;
    bool enabled;
};

// In tab order: Input, Output, then Panel1's buttons; the labels and the panel take no focus.
// clang-format off
inline constexpr std::array kControls{
    Control{ControlId::kInput,  "Input",  Kind::kInputBox,  Parent::kClient, {8, 16, 257, 361},   "",         true},
    Control{ControlId::kOutput, "Output", Kind::kOutputBox, Parent::kClient, {368, 16, 257, 361}, "",         true},
    Control{ControlId::kPanel1, "Panel1", Kind::kPanel,     Parent::kClient, {272, 16, 89, 361},  "",         true},
    Control{ControlId::kSabo,   "Sabo",   Kind::kButton,    Parent::kPanel1, {8, 32, 75, 25},     "Sabo",     true},
    Control{ControlId::kPluen,  "Pluen",  Kind::kButton,    Parent::kPanel1, {8, 64, 75, 25},     "Plünder",  true},
    Control{ControlId::kFleet,  "Fleet",  Kind::kButton,    Parent::kPanel1, {8, 96, 75, 25},     "Flotten",  false},
    Control{ControlId::kLabel1, "Label1", Kind::kLabel,     Parent::kClient, {16, 0, 49, 16},     "Berichte", true},
    Control{ControlId::kLabel2, "Label2", Kind::kLabel,     Parent::kClient, {376, 0, 54, 16},    "Ergebnis", true},
};
// clang-format on

constexpr std::size_t IndexOf(ControlId id) {
    return static_cast<std::size_t>(id);
}

// A row for every id, each at its id's place.
static_assert(kControls.size() == IndexOf(ControlId::kLabel2) + 1);
static_assert(
    [] {
        for (std::size_t i = 0; i < kControls.size(); ++i) {
            if (IndexOf(kControls[i].id) != i) return false;
        }
        return true;
    }(),
    "kControls lists each control at its ControlId's place");

constexpr const Control& ControlOf(ControlId id) {
    return kControls[IndexOf(id)];
}

// Where focus goes when the window first becomes active.
inline constexpr ControlId kFirstFocus = ControlId::kInput;

// What the screen reader says of the boxes; the labels above them name them.
inline constexpr std::string_view kInputDescription = "Hier die Berichte einfügen";
inline constexpr std::string_view kOutputDescription = "Ergebnis der letzten Zählung, zum Kopieren";

// Every command a menu item or button can be bound to.
enum class Command {
    kNone,
    kFileSaveAs,
    kFileExit,
    kEditUndo,
    kEditPaste,
    kEditClearMemo,
    kEditCopyResult,
};

enum class MenuLevel { kTop, kItem, kSeparator };

// "&" marks the mnemonic letter. The top-level entries stay disabled for the whole run, so no
// item below them can be chosen; no item has a keyboard shortcut.
struct MenuEntry {
    std::string_view name;
    MenuLevel level;
    std::string_view caption;
    bool enabled;
    Command command;
};

inline constexpr std::array kMenu{
    MenuEntry{"FileMenu", MenuLevel::kTop, "&Oberfläche", false, Command::kNone},
    MenuEntry{"FileOpenItem", MenuLevel::kItem, "Bericht ö&ffnen", true, Command::kNone},
    MenuEntry{"FileSaveAsItem", MenuLevel::kItem, "Ergebnis &speichern", true,
              Command::kFileSaveAs},
    MenuEntry{"N1", MenuLevel::kSeparator, "-", true, Command::kNone},
    MenuEntry{"FileExitItem", MenuLevel::kItem, "&Beenden", true, Command::kFileExit},
    MenuEntry{"EditMenu", MenuLevel::kTop, "&Editieren", false, Command::kNone},
    MenuEntry{"EditClearMemo", MenuLevel::kItem, "Beide Fenster &leeren", true,
              Command::kEditClearMemo},
    MenuEntry{"N3", MenuLevel::kSeparator, "-", true, Command::kNone},
    MenuEntry{"EditPasteItem", MenuLevel::kItem, "Bericht &Einfügen", true, Command::kEditPaste},
    MenuEntry{"EditUndoItem", MenuLevel::kItem, "Bericht &Rückgängig", true, Command::kEditUndo},
    MenuEntry{"N2", MenuLevel::kSeparator, "-", true, Command::kNone},
    MenuEntry{"EditCopyResult", MenuLevel::kItem, "Ergebnis &Kopieren", true,
              Command::kEditCopyResult},
    MenuEntry{"HelpMenu", MenuLevel::kTop, "&Informationen", false, Command::kNone},
};

// The save dialog's one file-type entry.
inline constexpr std::string_view kTextFileFilterName = "Textfile";
inline constexpr std::string_view kTextFileFilterPattern = "*.txt";

// Both boxes' first texts, lines ended by CR LF.
inline constexpr std::string_view kInitialInput =
    "Hier alle Berichte mit allen Zeiten einfügen, dann Funktion auswählen.\r\n"
    "\r\n"
    "Funktionen:\r\n"
    "- Plündercounter\r\n"
    "- Sabotage-counter\r\n";
inline constexpr std::string_view kInitialOutput = "Das Ergebnis erscheint hier.\r\n";

}  // namespace korva::form
