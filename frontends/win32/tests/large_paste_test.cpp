// A paste of 50 MB of reports is kept whole and counted as the core counts it. Slow under wine:
// registered apart, with the label "slow".
#include <windows.h>

#include <cstddef>
#include <string>

#include <gtest/gtest.h>

#include "frontends/win32/tests/form_fixture.hpp"

namespace {

using namespace korva;
using namespace korva::win32;
using namespace korva::win32::fixture;

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
