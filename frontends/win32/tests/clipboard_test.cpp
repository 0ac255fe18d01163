// Copying the result, pasting reports, and the read-only result box, through the system's
// clipboard as the user and the menu commands use it.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "frontends/win32/tests/form_fixture.hpp"

namespace {

using namespace korva;
using namespace korva::win32;
using namespace korva::win32::fixture;

// The window after a Sabo count of the sabotage report; its result.
std::wstring CountSaboReport(const Form& form) {
    SetWindowTextW(form[ControlId::kInput], kSaboReport);
    form.Click(ControlId::kSabo);
    return TextOf(form[ControlId::kOutput]);
}

TEST(Clipboard, CopyResultCommandCopiesAllOfOutput) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    const std::wstring result = CountSaboReport(form);

    SetClipboardText(L"leer");
    form.Menu("EditCopyResult");
    EXPECT_EQ(ClipboardText(), result) << "Ergebnis Kopieren: the clipboard holds all of Output";
    const auto [start, end] = SelectionOf(output);
    EXPECT_TRUE(start == 0 && end == 0) << "Ergebnis Kopieren: caret back at the start";
}

// The box's own Ctrl+A and Ctrl+C, as the user copies.
TEST(Clipboard, CtrlAAndCtrlCCopyOutput) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    const std::wstring result = CountSaboReport(form);

    SetClipboardText(L"leer");
    SetFocus(output);
    form.Key('A', true);
    const auto [all_start, all_end] = SelectionOf(output);
    EXPECT_TRUE(all_start == 0 && all_end == result.size()) << "Ctrl+A selects all of Output";
    form.Key('C', true);
    EXPECT_EQ(ClipboardText(), result) << "Ctrl+C copies Output, CR LF included";
}

// Output is read-only: typing, pasting, cutting and clearing change nothing.
TEST(Clipboard, OutputCannotBeChanged) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    const std::wstring result = CountSaboReport(form);

    SetClipboardText(L"eingefügt");
    SetFocus(output);
    for (const UINT message : {WM_PASTE, WM_CUT, WM_CLEAR}) {
        SendMessageW(output, message, 0, 0);
    }
    form.Key('X');
    form.Key(VK_BACK);
    form.Key(VK_DELETE);
    EXPECT_EQ(TextOf(output), result) << "Output cannot be changed by the user";
}

// A paste past the edit control's default limit of 32,767 characters is kept whole.
TEST(Clipboard, LongPasteIsWhole) {
    const Form form;
    std::wstring long_report;
    while (long_report.size() < 100'000) long_report += L"14:32:05 Eisenmine (2) zerstört\r\n";
    SetClipboardText(long_report);
    SetWindowTextW(form[ControlId::kInput], L"");
    form.Menu("EditPasteItem");
    EXPECT_EQ(static_cast<long long>(GetWindowTextLengthW(form[ControlId::kInput])),
              static_cast<long long>(long_report.size()))
        << "a 100,000 character paste is whole";
}

// The paste and undo commands act on Input.
TEST(Clipboard, PasteAndUndoCommandsActOnInput) {
    const Form form;
    SetFocus(form[ControlId::kInput]);
    SetWindowTextW(form[ControlId::kInput], L"");
    SetClipboardText(L"Eisen 5\r\n");
    form.Menu("EditPasteItem");
    EXPECT_EQ(TextOf(form[ControlId::kInput]), L"Eisen 5\r\n")
        << "Bericht Einfügen pastes into Input";
    form.Menu("EditUndoItem");
    EXPECT_EQ(TextOf(form[ControlId::kInput]), L"") << "Bericht Rückgängig undoes the paste";
}

}  // namespace
