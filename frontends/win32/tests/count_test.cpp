// A press on Sabo or Plünder: Output holds what the counting core gives for Input's text, and
// Input stays as it was.
#include <algorithm>

#include "counters/tests/expected_result.hpp"
#include "frontends/win32/tests/form_fixture.hpp"

namespace korva::win32::fixture {
namespace {

TEST(Count, ReplacesTheResultAndLeavesInput) {
    const Form form;
    const HWND input = form[ControlId::kInput];
    const HWND output = form[ControlId::kOutput];
    // In order, in one window: each count replaces the whole result of the one before.
    const struct {
        const char* name;
        ControlId button;
        std::wstring report;
    } rows[] = {
        {"first text, Sabo", ControlId::kSabo, Wide(form::kInitialInput)},
        {"first text, Plünder", ControlId::kPluen, Wide(form::kInitialInput)},
        {"sabotage report", ControlId::kSabo, kSaboReport},
        {"same again", ControlId::kSabo, kSaboReport},
        {"plunder report", ControlId::kPluen,
         L"Eisen 1500\r\nSilizium\t230\r\nWasser 7\r\nEisen 20\r\n"},
        {"plunder, no line break at the end", ControlId::kPluen,
         L"Sauerstoff 12\r\nWasserstoff 99"},
        {"euro sign is in Windows-1252", ControlId::kSabo, L"€ Eisenmine (4)\r\nSolarpark (€)\r\n"},
        {"arrow is not, and stays outside the name", ControlId::kSabo, L"→ Eisenmine (5)\r\n"},
        {"a foreign letter breaks the name", ControlId::kSabo,
         L"Eisenmіne (6)\r\nBohrturm (2)\r\n"},
        {"a character beyond 16 bits", ControlId::kPluen,
         L"Eisen 1\r\n\U0001F680 Eisen 9\r\nEisen 2"},
        {"empty", ControlId::kSabo, L""},
    };
    for (const auto& row : rows) {
        SetWindowTextW(input, row.report.c_str());
        SendMessageW(input, EM_SETSEL, 2, 5);
        form.Click(row.button);
        const std::wstring expected = CoreResult(row.button, row.report);
        const std::string name = row.name;
        EXPECT_EQ(TextOf(output), expected) << name + ": Output holds the core's result";
        EXPECT_EQ(TextOf(input), row.report) << name + ": Input unchanged";
        const auto [start, end] = SelectionOf(input);
        EXPECT_TRUE(start == std::min<DWORD>(2, row.report.size()) &&
                    end == std::min<DWORD>(5, row.report.size()))
            << name + ": Input's selection unchanged";
        const auto [caret, caret_end] = SelectionOf(output);
        EXPECT_TRUE(caret == expected.size() && caret_end == expected.size())
            << name + ": Output's caret at the end";
    }
}

// What the user reads, from the tables' names; the disabled Fleet then changes it not.
TEST(Count, SaboResultAsTheUserReadsItAndFleetDoesNothing) {
    const Form form;
    const HWND output = form[ControlId::kOutput];
    SetWindowTextW(form[ControlId::kInput], kSaboReport);
    form.Click(ControlId::kSabo);
    const std::wstring sabo = TextOf(output);
    const expected::Figures counts = {
        {"Raumhafen", 1}, {"Wohngeb\xE4ude", 2}, {"Eisenmine", 3}, {"Forschungszentrum", 1}};
    EXPECT_EQ(sabo, Wide(expected::Text(expected::Sabo(counts, 11), "\r\n")));
    form.Click(ControlId::kFleet);
    EXPECT_EQ(TextOf(output), sabo) << "Fleet does nothing";
}

}  // namespace
}  // namespace korva::win32::fixture
