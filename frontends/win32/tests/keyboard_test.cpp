// The keyboard: the focus cycle, buttons pressed by key, the edit control's own editing keys,
// Esc, and the dead menu bar that no key may enter.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "frontends/model/form.hpp"
#include "frontends/win32/tests/form_fixture.hpp"
#include "frontends/win32/wide_text.hpp"

namespace {

using namespace korva;
using namespace korva::win32;
using namespace korva::win32::fixture;

TEST(Keyboard, CtrlASelectsAllOfInput) {
    const Form form;
    const HWND input = form[ControlId::kInput];
    SetFocus(input);
    form.Key('A', true);
    const auto [start, end] = SelectionOf(input);
    EXPECT_TRUE(start == 0 && end == TextOf(input).size()) << "Ctrl+A selects all of Input";
    EXPECT_EQ(TextOf(input), Wide(form::kInitialInput)) << "Ctrl+A types nothing";
}

// Tab walks Input, Output, Sabo, Pluen and back; Fleet is disabled, the panel no stop.
TEST(Keyboard, TabCycle) {
    const Form form;
    const ControlId cycle[] = {ControlId::kOutput, ControlId::kSabo, ControlId::kPluen,
                               ControlId::kInput, ControlId::kOutput};
    SetFocus(form[ControlId::kInput]);
    for (const ControlId next : cycle) {
        form.Key(VK_TAB);
        EXPECT_TRUE(GetFocus() == form[next])
            << "Tab moves the focus to " + std::string(form::ControlOf(next).name);
    }
}

// Enter on a focused button presses it; Space too.
TEST(Keyboard, EnterAndSpacePressTheFocusedButton) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    SetWindowTextW(form[ControlId::kInput], kSaboReport);
    for (const auto& [button, key, name] :
         {std::tuple{ControlId::kSabo, VK_RETURN, "Enter on Sabo"},
          {ControlId::kPluen, VK_SPACE, "Space on Pluen"},
          {ControlId::kSabo, VK_RETURN, "Enter on Sabo again"}}) {
        SetFocus(form[button]);
        form.Key(key);
        EXPECT_EQ(TextOf(output), CoreResult(button, kSaboReport)) << name;
    }
}

// The edit control's own editing keys in Input, one after the other.
TEST(Keyboard, EditingKeysInInput) {
    const Form form;
    const HWND input = form[ControlId::kInput];
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
    SetFocus(input);
    for (const auto& row : editing) {
        SendMessageW(input, EM_SETSEL, 0, -1);
        form.Key(row.key, row.ctrl, row.shift);
        EXPECT_EQ(TextOf(input), row.input) << std::string(row.name) + ": Input";
        EXPECT_EQ(ClipboardText(), row.clipboard) << std::string(row.name) + ": clipboard";
    }
}

// In Input, Enter is a line break.
TEST(Keyboard, EnterInInputBreaksTheLine) {
    const Form form;
    const HWND input = form[ControlId::kInput];
    SetWindowTextW(input, L"Eisen 1");
    SetFocus(input);
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
    const struct {
        const char* name;
        std::vector<std::pair<UINT, WPARAM>> keys;
    } rows[] = {
        {"Alt", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}},
        {"F10", {{WM_SYSKEYDOWN, VK_F10}, {WM_SYSKEYUP, VK_F10}}},
        {"Alt+O",
         {{WM_SYSKEYDOWN, VK_MENU},
          {WM_SYSKEYDOWN, 'O'},
          {WM_SYSCHAR, 'o'},
          {WM_SYSKEYUP, 'O'},
          {WM_SYSKEYUP, VK_MENU}}},
    };
    for (const auto& row : rows) {
        SetFocus(form[ControlId::kInput]);
        menu_loops = 0;
        for (const auto& [message, key] : row.keys) {
            const LPARAM alt = key == VK_F10 ? 0 : (1 << 29);
            PostMessageW(form[ControlId::kInput], message, key,
                         1 | alt | (message == WM_SYSKEYUP ? (3u << 30) : 0));
        }
        // Should a menu loop start, this Esc ends it instead of the test.
        PostMessageW(form[ControlId::kInput], WM_KEYDOWN, VK_ESCAPE, 1);
        form.Pump();
        const std::string name = row.name;
        EXPECT_EQ(menu_loops, 0) << name + " opens no menu";
        EXPECT_TRUE(GetFocus() == form[ControlId::kInput]) << name + " leaves the focus in Input";
    }
    RemoveWindowSubclass(form.window(), CountMenuLoops, 1);
}

}  // namespace
