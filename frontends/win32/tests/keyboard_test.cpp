// The keyboard: the focus cycle, buttons pressed by key, the edit control's own editing keys,
// Esc, and the dead menu bar that no key may enter.
#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "frontends/win32/tests/form_fixture.hpp"

namespace korva::win32::fixture {
namespace {

// Tab walks the table's stops and round; Fleet is disabled, the panel no stop.
TEST(Keyboard, TabCycle) {
    const Form form;
    const auto& stops = conformance::kTabStops;
    SetFocus(form[stops.front()]);
    for (std::size_t i = 1; i <= stops.size() + 1; ++i) {
        form.Key(VK_TAB);
        const ControlId next = stops.at(i % stops.size());
        EXPECT_TRUE(GetFocus() == form[next])
            << "Tab moves the focus to " + std::string(form::ControlOf(next).name);
    }
}

// Enter, keypad Enter or Space on a focused button presses it.
TEST(Keyboard, EnterAndSpacePressTheFocusedButton) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    SetWindowTextW(form[ControlId::kInput], kSaboReport);
    for (const auto& [name, button, key] : conformance::kButtonPresses) {
        SetFocus(form[button]);
        form.Key(conformance::Keystroke{name, key});
        EXPECT_EQ(TextOf(output), CoreResult(button, kSaboReport)) << name;
    }
}

// The edit control's own editing keys in Input, one after the other: Ctrl+A over the first
// text, the table's keys over a line, and Enter, which breaks a line.
TEST(Keyboard, EditingKeysInInput) {
    const Form form;
    const HWND input = form[ControlId::kInput];
    SetFocus(input);
    form.Key('A', true);
    const auto [start, end] = SelectionOf(input);
    EXPECT_TRUE(start == 0 && end == TextOf(input).size()) << "Ctrl+A selects all of Input";
    EXPECT_EQ(TextOf(input), Wide(form::kInitialInput)) << "Ctrl+A types nothing";
    const struct {
        const char* name;
        WPARAM key;
        bool ctrl;
        bool shift;
        const wchar_t* input;
        const wchar_t* clipboard;
    } editing[] = {
        {"Ctrl+V pastes over the selection", 'V', true, false, L"Eisen 5\r\n", L"Eisen 5\r\n"},
        {"Ctrl+Z undoes the paste", 'Z', true, false, L"Wasser 1", L"Eisen 5\r\n"},
        {"Ctrl+X cuts", 'X', true, false, L"", L"Wasser 1"},
        {"Shift+Insert pastes", VK_INSERT, false, true, L"Wasser 1", L"Wasser 1"},
        {"Ctrl+Insert copies", VK_INSERT, true, false, L"Wasser 1", L"Wasser 1"},
    };
    SetWindowTextW(input, L"Wasser 1");
    SetClipboardText(L"Eisen 5\r\n");
    for (const auto& row : editing) {
        SendMessageW(input, EM_SETSEL, 0, -1);
        form.Key(row.key, row.ctrl, row.shift);
        EXPECT_EQ(TextOf(input), row.input) << std::string(row.name) + ": Input";
        EXPECT_EQ(ClipboardText(), row.clipboard) << std::string(row.name) + ": clipboard";
    }
    SetWindowTextW(input, L"Eisen 1");
    SendMessageW(input, EM_SETSEL, 7, 7);
    form.Key(VK_RETURN);
    EXPECT_EQ(TextOf(input), L"Eisen 1\r\n") << "Enter in Input breaks the line";
}

// Esc in a box changes nothing; above all, it does not close the window.
TEST(Keyboard, EscChangesNothing) {
    const Form form;
    for (const ControlId box : {ControlId::kInput, ControlId::kOutput}) {
        SetFocus(form[box]);
        const std::wstring before = TextOf(form[box]);
        form.Key(VK_ESCAPE);
        const std::string name = "Esc in " + std::string(form::ControlOf(box).name);
        ASSERT_TRUE(IsWindow(form.window())) << name + " leaves the window open";
        EXPECT_EQ(TextOf(form[box]), before) << name + " changes no text";
        EXPECT_TRUE(GetFocus() == form[box]) << name + " leaves the focus there";
    }
}

LRESULT CALLBACK CountMenuLoops(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR count) {
    if (message == WM_ENTERMENULOOP) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The menus are disabled: no key takes the keyboard into the menu bar, and the focus stays.
TEST(Keyboard, MenuBarKeysOpenNoMenu) {
    const Form form;
    int menu_loops = 0;
    SetWindowSubclass(form.window(), CountMenuLoops, 1, reinterpret_cast<DWORD_PTR>(&menu_loops));
    // The messages a key with Alt, or F10, sends: system keys, a letter's system character.
    const auto messages = [](const conformance::Keystroke& stroke) {
        const auto key = VirtualKey(stroke);
        std::vector<std::pair<UINT, WPARAM>> sent{{WM_SYSKEYDOWN, key}};
        if (stroke.letter != 0) sent.push_back({WM_SYSCHAR, key - 'A' + 'a'});
        sent.push_back({WM_SYSKEYUP, key});
        if (stroke.alt && key != VK_MENU) {
            sent.insert(sent.begin(), {WM_SYSKEYDOWN, VK_MENU});
            sent.push_back({WM_SYSKEYUP, VK_MENU});
        }
        return sent;
    };
    for (const auto& row : conformance::kMenuKeys) {
        SetFocus(form[ControlId::kInput]);
        menu_loops = 0;
        for (const auto& [message, key] : messages(row)) {
            const LPARAM alt = key == VK_F10 ? 0 : (1 << 29);
            PostMessageW(form[ControlId::kInput], message, key,
                         1 | alt | (message == WM_SYSKEYUP ? (3u << 30) : 0));
        }
        // Should a menu loop start, this Esc ends it instead of the test.
        PostMessageW(form[ControlId::kInput], WM_KEYDOWN, VK_ESCAPE, 1);
        form.Pump();
        const std::string name(row.name);
        EXPECT_EQ(menu_loops, 0) << name + " opens no menu";
        EXPECT_TRUE(GetFocus() == form[ControlId::kInput]) << name + " leaves the focus in Input";
    }
    RemoveWindowSubclass(form.window(), CountMenuLoops, 1);
}

}  // namespace
}  // namespace korva::win32::fixture
