// The real window, created in the test's process and driven by its messages as a user's keys,
// clicks and clipboard would drive it; what the window's tests share, their includes too.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "frontends/model/form.hpp"
#include "frontends/model/tests/conformance.hpp"
#include "frontends/win32/application_window.hpp"
#include "frontends/win32/failure.hpp"
#include "frontends/win32/main_form.hpp"
#include "frontends/win32/set_clipboard_text.hpp"
#include "frontends/win32/wide_text.hpp"

namespace korva::win32::fixture {

using form::ControlId;

struct Shown {
    std::wstring caption;
    std::wstring text;
};

// An error box that records instead of showing.
ErrorBox Recorder(std::vector<Shown>& shown);

std::wstring TextOf(HWND window);
std::pair<DWORD, DWORD> SelectionOf(HWND edit);

// The result the core gives for the report text, as the box is to show it.
std::wstring CoreResult(ControlId button, std::wstring_view report);

std::wstring ClipboardText();

// The system's dpi the window is to start at: KORVA_WINE_DPI, as the prefix was made with it
// (wine_xvfb.sh), or 96.
UINT SystemDpi();

// pixels at 96 dpi, scaled to dpi.
int Rounded(int pixels, UINT dpi);

WPARAM VirtualKey(const conformance::Keystroke& stroke);

inline constexpr wchar_t kSaboReport[] =
    L"Sabotagebericht vom 07.12.2026 14:32\r\n"
    L"14:32:05 Eisenmine (3) zerstört\r\n"
    L"14:32:05 Raumhafen (1) zerstört\r\n"
    L"14:32:07 Wohngebäude (2) zerstört\r\n"
    L"14:32:09 Forschungszentrum zerstört\r\n";

// MainForm and the application window that owns it, shown as the system's start request says
// and active, destroyed at the end of the scope.
class Form {
  public:
    explicit Form(const FormOptions& options = {}, int show = SW_SHOW);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND window() const { return window_; }
    HWND application() const { return application_.handle(); }
    HWND operator[](ControlId id) const { return ControlOf(window_, id); }

    // Everything queued, through the program's own loop step.
    void Pump() const;

    // A key pressed and released at the control that has the focus, with Ctrl or Shift held;
    // extended: the keypad's Enter rather than the main one, say.
    void Key(WPARAM key, bool ctrl = false, bool shift = false, bool extended = false) const;
    void Key(const conformance::Keystroke& stroke) const;

    void Click(ControlId button) const;

    // The menu item of that name chosen; a name the menu lacks fails the test.
    void Menu(std::string_view item) const;

  private:
    ApplicationWindow application_;
    HWND window_;
};

}  // namespace korva::win32::fixture
