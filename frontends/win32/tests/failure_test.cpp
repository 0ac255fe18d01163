// Failures in a command and at start-up: what the error box shows, and that the window goes on
// working afterwards.
#include <array>
#include <exception>
#include <string_view>
#include <vector>

#include "frontends/win32/tests/form_fixture.hpp"

namespace korva::win32::fixture {
namespace {

// Failures as the rows say, in a counter and at start-up, and what the error box then shows
// (nullptr: no box).
TEST(Failure, InACounterAndAtStartUp) {
    const auto check_shown = [](const std::vector<Shown>& shown, const char16_t* expected,
                                const std::string& name) {
        EXPECT_EQ(shown.size(), expected == nullptr ? 0u : 1u) << name + ": boxes shown";
        if (shown.size() == 1 && expected != nullptr) {
            EXPECT_EQ(shown[0].caption, L"KORVA-Counter") << name + ": caption";
            EXPECT_EQ(shown[0].text, std::wstring(AsWide(expected))) << name + ": text";
        }
    };
    for (const conformance::FailureRow& row : conformance::kFailures) {
        std::vector<Shown> shown;
        FormOptions options;
        options.count = [&row](Counter counter, std::string_view report) {
            if (counter == Counter::kSabo) conformance::Throw(row);
            return form::Count(counter, report);
        };
        options.error_box = Recorder(shown);
        const Form form(options);
        const std::string name(row.name);
        form.Click(ControlId::kSabo);
        check_shown(shown, row.in_a_command, name);
        EXPECT_EQ(TextOf(form[ControlId::kOutput]), Wide(form::kInitialOutput))
            << name + ": Output as it was";
        form.Click(ControlId::kPluen);
        EXPECT_EQ(TextOf(form[ControlId::kOutput]),
                  CoreResult(ControlId::kPluen, Wide(form::kInitialInput)))
            << name + ": the window goes on working";

        std::vector<Shown> at_start_up;
        try {
            conformance::Throw(row);
        } catch (...) {
            ShowStartUpFailure(std::current_exception(), Recorder(at_start_up));
        }
        check_shown(at_start_up, row.at_start_up, "start-up, " + name);
    }
}

// What the real error box showed, seen from inside its own modal loop.
struct BoxSeen {
    int ticks = 0;
    bool found = false;
    bool owned_by_form = false;
    bool form_enabled = true;
    std::wstring text;
};

constexpr wchar_t kBoxSeen[] = L"korva-box-seen";

void CALLBACK LookAtErrorBox(HWND form, UINT, UINT_PTR timer, DWORD) {
    auto* seen = static_cast<BoxSeen*>(GetPropW(form, kBoxSeen));
    const std::wstring caption = Wide(form::kApplicationTitle);
    const HWND box = FindWindowW(L"#32770", caption.c_str());
    if (box == nullptr) {
        // No box after 5 s: end its loop, should there be one unseen, and give up.
        if (++seen->ticks == 100) {
            KillTimer(form, timer);
            PostQuitMessage(0);
        }
        return;
    }
    KillTimer(form, timer);
    seen->found = true;
    seen->owned_by_form = GetWindow(box, GW_OWNER) == form;
    seen->form_enabled = IsWindowEnabled(form) != FALSE;
    std::array<wchar_t, 64> text{};
    GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    seen->text = text.data();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// The real message box: owned by MainForm, which it disables while it is open.
TEST(Failure, RealErrorBox) {
    FormOptions options;
    options.count = [](Counter, std::string_view) -> form::ShownCount {
        throw Exception(u"Fehler");
    };
    const Form form(options);
    BoxSeen seen;
    SetPropW(form.window(), kBoxSeen, &seen);
    SetTimer(form.window(), 1, 50, LookAtErrorBox);
    form.Click(ControlId::kSabo);
    RemovePropW(form.window(), kBoxSeen);
    EXPECT_TRUE(seen.found) << "the error box is shown";
    if (seen.found) {
        EXPECT_TRUE(seen.owned_by_form) << "the error box is owned by MainForm";
        EXPECT_TRUE(!seen.form_enabled) << "MainForm is disabled while the box is open";
        EXPECT_EQ(seen.text, L"Fehler.") << "the box's text";
    }
    EXPECT_TRUE(IsWindowEnabled(form.window())) << "MainForm is enabled again after OK";
}

}  // namespace
}  // namespace korva::win32::fixture
