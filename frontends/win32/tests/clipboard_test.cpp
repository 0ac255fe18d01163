// Copying the result, pasting reports, and the read-only result box, through the system's
// clipboard as the user and the menu commands use it.
#include <windows.h>

#include <psapi.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "frontends/win32/tests/form_fixture.hpp"

namespace korva::win32::fixture {
namespace {

// The window after a Sabo count of the sabotage report; its result.
std::wstring CountSaboReport(const Form& form) {
    SetWindowTextW(form[ControlId::kInput], kSaboReport);
    form.Click(ControlId::kSabo);
    return TextOf(form[ControlId::kOutput]);
}

// The menu's command, and each key of the table after Ctrl+A, copy all of Output exactly.
TEST(Clipboard, CopiesAllOfOutput) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    const std::wstring result = CountSaboReport(form);
    SetClipboardText(L"leer");
    form.Menu("EditCopyResult");
    EXPECT_EQ(ClipboardText(), result) << "Ergebnis Kopieren: the clipboard holds all of Output";
    const auto [start, end] = SelectionOf(output);
    EXPECT_TRUE(start == 0 && end == 0) << "Ergebnis Kopieren: caret back at the start";
    SetFocus(output);
    for (const conformance::Keystroke& stroke : conformance::kCopyKeys) {
        SetClipboardText(L"leer");
        const std::string name(stroke.name);
        form.Key('A', true);
        const auto [all_start, all_end] = SelectionOf(output);
        EXPECT_TRUE(all_start == 0 && all_end == result.size()) << name + ": Ctrl+A selects all";
        form.Key(stroke);
        EXPECT_EQ(ClipboardText(), result) << name + ": the clipboard holds all of Output";
    }
}

// Output is read-only: no key of the table, nor the edit messages, change it, all of it selected.
TEST(Clipboard, OutputCannotBeChanged) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    const std::wstring result = CountSaboReport(form);

    SetClipboardText(L"eingefügt");
    SetFocus(output);
    for (const UINT message : {WM_PASTE, WM_CUT, WM_CLEAR}) {
        SendMessageW(output, EM_SETSEL, 0, -1);
        SendMessageW(output, message, 0, 0);
        EXPECT_EQ(TextOf(output), result) << "message " << message;
    }
    for (const conformance::Keystroke& edit : conformance::kOutputEdits) {
        SendMessageW(output, EM_SETSEL, 0, -1);
        form.Key(edit);
        EXPECT_EQ(TextOf(output), result) << edit.name;
    }
}

// The paste and undo commands act on Input; a paste past the edit control's default limit of
// 32,767 characters is kept whole.
TEST(Clipboard, PasteAndUndoCommandsActOnInput) {
    const Form form;
    std::wstring long_report;
    while (long_report.size() < 100'000) long_report += L"14:32:05 Eisenmine (2) zerstört\r\n";
    // The long paste's undo is not checked: wine's edit control then shows an older text.
    const std::pair<std::wstring, bool> rows[] = {{L"Eisen 5\r\n", true}, {long_report, false}};
    SetFocus(form[ControlId::kInput]);
    for (const auto& [pasted, undone] : rows) {
        const std::string name = std::to_string(pasted.size()) + " characters: ";
        SetWindowTextW(form[ControlId::kInput], L"");
        SetClipboardText(pasted);
        form.Menu("EditPasteItem");
        EXPECT_TRUE(TextOf(form[ControlId::kInput]) == pasted)
            << name + "Bericht Einfügen pastes all into Input";
        if (!undone) continue;
        form.Menu("EditUndoItem");
        EXPECT_EQ(TextOf(form[ControlId::kInput]), L"") << name + "Bericht Rückgängig undoes it";
    }
}

// The memory the process has in use: what a copy left behind adds to.
SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

// The setter the tests and the paste benchmark share, while another window holds the clipboard
// open: it says it failed, leaves the clipboard as it was and frees its copy of the text (ten
// calls with 20 MB would otherwise keep 200 MB); once the window lets go, it sets the text.
TEST(Clipboard, SetterFailsWithoutKeepingTheTextWhileAnotherWindowHoldsIt) {
    const HWND other = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(SetClipboardText(L"vorher"));
    const std::wstring large(10u << 20, L'x');
    struct Row {
        bool held;
        std::wstring_view text;
        int calls;
        bool set;
        std::wstring_view kept;
    };
    const Row rows[] = {{true, large, 10, false, L"vorher"},
                        {false, L"nachher", 1, true, L"nachher"}};
    for (const Row& row : rows) {
        const std::string name = row.held ? "held: " : "let go: ";
        if (row.held) {
            ASSERT_TRUE(OpenClipboard(other));
        }
        const SIZE_T most = WorkingSet() + row.text.size() * sizeof(wchar_t) + (1u << 20);
        for (int i = 0; i < row.calls; ++i) {
            EXPECT_EQ(SetClipboardText(row.text), row.set) << name << "call " << i;
        }
        EXPECT_LT(WorkingSet(), most) << name + "at most one copy of the text stays";
        if (row.held) CloseClipboard();
        EXPECT_EQ(ClipboardText(), row.kept) << name + "what the clipboard holds";
    }
    DestroyWindow(other);
}

// A paste of 50 MB of reports is kept whole and counted as the core counts it. Slow under wine:
// registered apart, with the label "slow".
TEST(LargePaste, FiftyMegabytes) {
    const Form form;
    // Lines of about 100 characters, as reports have: wine's edit control measures every line
    // of a paste, so short lines would make the test slow, not harder.
    const std::wstring padding(140, L'·');
    std::wstring block;
    for (int i = 0; i < 100; ++i) {
        block += L"14:32:05 Eisenmine (" + std::to_wstring(i % 7) + L") zerstört → Lager " +
                 padding + L"\r\n";
        block += L"Eisen " + std::to_wstring(i * 13) + L"\r\n";
    }
    std::wstring report;
    const std::size_t size = 50u << 20;
    report.reserve(size + block.size());
    while (report.size() < size) report += block;
    EXPECT_TRUE(SetClipboardText(report)) << "50 MB on the clipboard";

    const HWND input = form[ControlId::kInput];
    SetFocus(input);
    SendMessageW(input, EM_SETSEL, 0, -1);
    SendMessageW(input, WM_PASTE, 0, 0);
    const std::wstring kept = TextOf(input);
    EXPECT_EQ(static_cast<long long>(kept.size()), static_cast<long long>(report.size()))
        << "Input holds all of the paste";
    EXPECT_TRUE(kept == report) << "Input holds the paste unchanged";
    form.Click(ControlId::kSabo);
    EXPECT_EQ(TextOf(form[ControlId::kOutput]), CoreResult(ControlId::kSabo, report))
        << "Sabo over 50 MB";
    form.Click(ControlId::kPluen);
    EXPECT_EQ(TextOf(form[ControlId::kOutput]), CoreResult(ControlId::kPluen, report))
        << "Plünder over 50 MB";
}

}  // namespace
}  // namespace korva::win32::fixture
