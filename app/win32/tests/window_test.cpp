// The real window, created in this process and driven by its messages as a user's keys, clicks
// and clipboard would drive it, checked against the form's tables and the counting core.
// Usage: win32_window_test [--large | --dpi N]
//   --large: only the 50 MB paste; --dpi N: the system's dpi is N (96 when not given), and the
//   window is to start at that dpi.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <cmath>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/win32/application_window.hpp"
#include "app/win32/failure.hpp"
#include "app/win32/layout.hpp"
#include "app/win32/main_form.hpp"
#include "app/win32/menu.hpp"
#include "app/win32/message_loop.hpp"
#include "app/win32/tests/check.hpp"
#include "app/win32/wide_text.hpp"
#include "app/window/form.hpp"
#include "app/window/report_count.hpp"
#include "counters/cp1252.hpp"

namespace {

using namespace korva;
using namespace korva::win32;
using testing::Checks;

struct Shown {
    std::wstring caption;
    std::wstring text;
};

// An error box that records instead of showing.
ErrorBox Recorder(std::vector<Shown>& shown) {
    return {[](void* context, HWND, const wchar_t* caption, const wchar_t* text) {
                static_cast<std::vector<Shown>*>(context)->push_back({caption, text});
            },
            &shown};
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size() + 1)));
    return text;
}

std::pair<DWORD, DWORD> SelectionOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// The result the core gives for the report text, as the box is to show it.
std::wstring CoreResult(std::string_view button, std::wstring_view report) {
    const std::string bytes = Utf16ToCp1252(AsUtf16(report));
    const ResultLines lines =
        button == "Sabo" ? form::CountSaboReport(bytes) : form::CountPluenReport(bytes);
    return std::wstring(AsWide(form::ResultBoxText(lines)));
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(std::wstring_view text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (data == nullptr) return false;
    auto* chars = static_cast<wchar_t*>(GlobalLock(data));
    text.copy(chars, text.size());
    chars[text.size()] = L'\0';
    GlobalUnlock(data);
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    CloseClipboard();
    return set;
}

// MainForm and the application window that owns it, shown as the system's start request says
// and active, destroyed at the end of the scope.
class Form {
  public:
    explicit Form(const FormOptions& options = {}, int show = SW_SHOW)
        : application_(GetModuleHandleW(nullptr)),
          window_(CreateMainForm(GetModuleHandleW(nullptr), application_.handle(), options)) {
        ShowMainWindow(window_, show);
        if (!IsIconic(application_.handle())) SetForegroundWindow(window_);
        UpdateWindow(window_);
        Pump();
    }
    ~Form() {
        DestroyWindow(window_);
        Pump();
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND window() const { return window_; }
    HWND application() const { return application_.handle(); }
    HWND operator[](std::string_view name) const { return ControlOf(window_, name); }

    // Everything queued, through the program's own loop step.
    void Pump() const {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) DispatchFormMessage(window_, message);
        }
    }

    // A key pressed and released at the control that has the focus, with Ctrl or Shift held.
    void Key(WPARAM key, bool ctrl = false, bool shift = false) const {
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        const std::array<BYTE, 256> before = keys;
        if (ctrl) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        if (shift) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        SetKeyboardState(keys.data());
        const HWND focus = GetFocus();
        const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageW(focus, WM_KEYDOWN, key, 1 | (scan << 16));
        PostMessageW(focus, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
        Pump();
        SetKeyboardState(const_cast<BYTE*>(before.data()));
    }

    void Click(std::string_view button) const {
        SendMessageW((*this)[button], BM_CLICK, 0, 0);
        Pump();
    }

    void Menu(std::string_view item) const {
        for (std::size_t i = 0; i < form::kMenu.size(); ++i) {
            if (form::kMenu[i].name == item) {
                SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kFirstMenuId + i, 0), 0);
            }
        }
        Pump();
    }

  private:
    ApplicationWindow application_;
    HWND window_;
};

// The designed font at dpi: 8 point for the window's controls, 10 point for the labels.
void CheckFonts(Checks& checks, const Form& form, UINT dpi) {
    const std::string at = " at " + std::to_string(dpi) + " dpi";
    for (const auto& [name, points] : {std::pair{"Sabo", 8}, {"Input", 8}, {"Label1", 10}}) {
        LOGFONTW font{};
        GetObjectW(GetWindowFont(form[name]), sizeof font, &font);
        checks.Equal(std::abs(font.lfHeight), std::lround(points * dpi / 72.0),
                     std::string(name) + " font height" + at);
        checks.Equal(font.lfFaceName, Wide(form::kFontFamily), std::string(name) + " font face");
    }
}

RECT RectIn(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Rounded(int pixels, UINT dpi) {
    return static_cast<int>(std::lround(pixels * (dpi / 96.0)));
}

// Every control where the table puts it, scaled to dpi; the client area below the menu bar.
void CheckPlaces(Checks& checks, const Form& form, UINT dpi) {
    const std::string at = " at " + std::to_string(dpi) + " dpi";
    for (const form::Control& control : form::kControls) {
        const std::string name(control.name);
        const HWND window = form[control.name];
        const RECT rect = RectIn(window, GetParent(window));
        checks.Equal(rect.left, Rounded(control.rect.left, dpi), name + " left" + at);
        checks.Equal(rect.top, Rounded(control.rect.top, dpi), name + " top" + at);
        checks.Equal(rect.right - rect.left, Rounded(control.rect.width, dpi),
                     name + " width" + at);
        checks.Equal(rect.bottom - rect.top, Rounded(control.rect.height, dpi),
                     name + " height" + at);
        const HWND expected_parent =
            control.parent == form::Parent::kPanel1 ? form["Panel1"] : form.window();
        checks.Expect(GetParent(window) == expected_parent, name + " parent");
    }
    RECT client;
    GetClientRect(form.window(), &client);
    checks.Equal(client.right, Rounded(form::kClientSize.width, dpi), "client width" + at);
    checks.Equal(client.bottom, Rounded(form::kClientSize.height, dpi), "client height" + at);
    // The client area lies below the caption and the menu bar.
    RECT outer;
    GetWindowRect(form.window(), &outer);
    POINT client_origin{0, 0};
    ClientToScreen(form.window(), &client_origin);
    checks.Expect(client_origin.y - outer.top >= GetSystemMetricsForDpi(SM_CYMENU, dpi),
                  "menu bar above the client area" + at);
}

// The window as it starts, at the system's dpi.
void TestWindow(Checks& checks, UINT dpi) {
    const Form form;
    checks.Equal(GetDpiForWindow(form.window()), dpi, "the window starts at the system's dpi");
    RECT outer;
    GetWindowRect(form.window(), &outer);
    checks.Equal(outer.left, Rounded(form::kWindowPosition.left, dpi), "window left");
    checks.Equal(outer.top, Rounded(form::kWindowPosition.top, dpi), "window top");
    CheckPlaces(checks, form, dpi);
    checks.Equal(TextOf(form.window()), Wide(form::kCaption), "caption");

    // A fixed border with close and minimise only.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(form.window(), GWL_STYLE));
    const struct {
        const char* name;
        DWORD flag;
        bool set;
    } styles[] = {{"system menu", WS_SYSMENU, true},
                  {"minimise box", WS_MINIMIZEBOX, true},
                  {"maximise box", WS_MAXIMIZEBOX, false},
                  {"sizing border", WS_THICKFRAME, false}};
    for (const auto& row : styles) {
        checks.Expect(((style & row.flag) != 0) == row.set, std::string("style: ") + row.name);
    }

    for (const form::Control& control : form::kControls) {
        const std::string name(control.name);
        checks.Expect((IsWindowEnabled(form[control.name]) != FALSE) == control.enabled,
                      name + " enabled");
        if (control.kind == form::Kind::kLabel || control.kind == form::Kind::kButton) {
            checks.Equal(TextOf(form[control.name]), Wide(control.caption), name + " caption");
        }
    }

    CheckFonts(checks, form, dpi);

    checks.Equal(TextOf(form["Input"]), Wide(form::kInitialInput), "first text of Input");
    const auto [start, end] = SelectionOf(form["Input"]);
    checks.Expect(start == 0 && end == Wide(form::kInitialInput).size(),
                  "the help text is selected, so that a paste replaces it");
    checks.Equal(TextOf(form["Output"]), Wide(form::kInitialOutput), "first text of Output");
    checks.Expect(GetFocus() == form["Input"], "first focus on Input");
}

void TestMenu(Checks& checks) {
    const Form form;
    const HMENU bar = GetMenu(form.window());
    checks.Equal(GetMenuItemCount(bar), 3, "top-level entries");
    int top = -1;
    int item = 0;
    HMENU popup = nullptr;
    for (const form::MenuEntry& entry : form::kMenu) {
        const std::string name(entry.name);
        HMENU menu = bar;
        int position = 0;
        if (entry.level == form::MenuLevel::kTop) {
            position = ++top;
            popup = GetSubMenu(bar, top);
            item = 0;
        } else {
            menu = popup;
            position = item++;
        }
        const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
        if (entry.level == form::MenuLevel::kSeparator) {
            checks.Expect((state & MF_SEPARATOR) != 0, name + " is a separator");
            continue;
        }
        std::array<wchar_t, 64> caption{};
        GetMenuStringW(menu, position, caption.data(), caption.size(), MF_BYPOSITION);
        checks.Equal(caption.data(), Wide(entry.caption), name + " caption");
        checks.Expect(((state & MF_GRAYED) == 0) == entry.enabled, name + " enabled state");
    }
    // -1 if HelpMenu opened no menu; the items above fail likewise for the other two.
    checks.Equal(GetMenuItemCount(GetSubMenu(bar, 2)), 0, "HelpMenu opens an empty menu");
}

const wchar_t kSaboReport[] =
    L"Sabotagebericht vom 07.12.2026 14:32\r\n"
    L"14:32:05 Eisenmine (3) zerstört\r\n"
    L"14:32:05 Raumhafen (1) zerstört\r\n"
    L"14:32:07 Wohngebäude (2) zerstört\r\n"
    L"14:32:09 Forschungszentrum zerstört\r\n";

void TestCounts(Checks& checks) {
    const Form form;
    const HWND input = form["Input"];
    const HWND output = form["Output"];
    // In order, in one window: each count replaces the whole result of the one before.
    const struct {
        const char* name;
        const char* button;
        std::wstring report;
    } rows[] = {
        {"first text, Sabo", "Sabo", Wide(form::kInitialInput)},
        {"first text, Plünder", "Pluen", Wide(form::kInitialInput)},
        {"sabotage report", "Sabo", kSaboReport},
        {"same again", "Sabo", kSaboReport},
        {"plunder report", "Pluen", L"Eisen 1500\r\nSilizium\t230\r\nWasser 7\r\nEisen 20\r\n"},
        {"plunder, no line break at the end", "Pluen", L"Sauerstoff 12\r\nWasserstoff 99"},
        {"euro sign is in Windows-1252", "Sabo", L"€ Eisenmine (4)\r\nSolarpark (€)\r\n"},
        {"arrow is not, and stays outside the name", "Sabo", L"→ Eisenmine (5)\r\n"},
        {"a foreign letter breaks the name", "Sabo", L"Eisenmіne (6)\r\nBohrturm (2)\r\n"},
        {"a character beyond 16 bits", "Pluen", L"Eisen 1\r\n\U0001F680 Eisen 9\r\nEisen 2"},
        {"empty", "Sabo", L""},
    };
    for (const auto& row : rows) {
        SetWindowTextW(input, row.report.c_str());
        SendMessageW(input, EM_SETSEL, 2, 5);
        form.Click(row.button);
        const std::wstring expected = CoreResult(row.button, row.report);
        const std::string name = row.name;
        checks.Equal(TextOf(output), expected, name + ": Output holds the core's result");
        checks.Equal(TextOf(input), row.report, name + ": Input unchanged");
        const auto [start, end] = SelectionOf(input);
        checks.Expect(start == std::min<DWORD>(2, row.report.size()) &&
                          end == std::min<DWORD>(5, row.report.size()),
                      name + ": Input's selection unchanged");
        const auto [caret, caret_end] = SelectionOf(output);
        checks.Expect(caret == expected.size() && caret_end == expected.size(),
                      name + ": Output's caret at the end");
    }

    // What the user reads, independent of the core's tables.
    SetWindowTextW(input, kSaboReport);
    form.Click("Sabo");
    const std::wstring sabo = TextOf(output);
    checks.Expect(
        sabo.starts_with(L"Planetenzentrale  (0)\r\nRaumhafen  (1)\r\nWohngebäude  (2)\r\n"),
        "sabotage result's first lines");
    checks.Expect(sabo.ends_with(L"Forschungszentrum  (1)\r\n\r\nGesamt zerstörte Punkte: 11\r\n"),
                  "sabotage result's last lines");

    // Fleet is disabled: a click does nothing.
    const std::wstring before = TextOf(output);
    form.Click("Fleet");
    checks.Equal(TextOf(output), before, "Fleet does nothing");
}

void TestCopy(Checks& checks) {
    const Form form;
    const HWND output = form["Output"];
    SetWindowTextW(form["Input"], kSaboReport);
    form.Click("Sabo");
    const std::wstring result = TextOf(output);

    SetClipboardText(L"leer");
    form.Menu("EditCopyResult");
    checks.Equal(ClipboardText(), result, "Ergebnis Kopieren: the clipboard holds all of Output");
    const auto [start, end] = SelectionOf(output);
    checks.Expect(start == 0 && end == 0, "Ergebnis Kopieren: caret back at the start");

    // The box's own Ctrl+A and Ctrl+C, as the user copies.
    SetClipboardText(L"leer");
    SetFocus(output);
    form.Key('A', true);
    const auto [all_start, all_end] = SelectionOf(output);
    checks.Expect(all_start == 0 && all_end == result.size(), "Ctrl+A selects all of Output");
    form.Key('C', true);
    checks.Equal(ClipboardText(), result, "Ctrl+C copies Output, CR LF included");

    // Output is read-only: typing, pasting, cutting and clearing change nothing.
    SetClipboardText(L"eingefügt");
    for (const UINT message : {WM_PASTE, WM_CUT, WM_CLEAR}) {
        SendMessageW(output, message, 0, 0);
    }
    form.Key('X');
    form.Key(VK_BACK);
    form.Key(VK_DELETE);
    checks.Equal(TextOf(output), result, "Output cannot be changed by the user");

    // A paste past the edit control's default limit of 32,767 characters is kept whole.
    std::wstring long_report;
    while (long_report.size() < 100'000) long_report += L"14:32:05 Eisenmine (2) zerstört\r\n";
    SetClipboardText(long_report);
    SetWindowTextW(form["Input"], L"");
    form.Menu("EditPasteItem");
    checks.Equal(static_cast<long long>(GetWindowTextLengthW(form["Input"])),
                 static_cast<long long>(long_report.size()), "a 100,000 character paste is whole");

    // The paste and undo commands act on Input.
    SetFocus(form["Input"]);
    SetWindowTextW(form["Input"], L"");
    SetClipboardText(L"Eisen 5\r\n");
    form.Menu("EditPasteItem");
    checks.Equal(TextOf(form["Input"]), L"Eisen 5\r\n", "Bericht Einfügen pastes into Input");
    form.Menu("EditUndoItem");
    checks.Equal(TextOf(form["Input"]), L"", "Bericht Rückgängig undoes the paste");
}

void TestKeys(Checks& checks) {
    const Form form;
    const HWND input = form["Input"];
    const HWND output = form["Output"];

    SetFocus(input);
    form.Key('A', true);
    const auto [start, end] = SelectionOf(input);
    checks.Expect(start == 0 && end == TextOf(input).size(), "Ctrl+A selects all of Input");
    checks.Equal(TextOf(input), Wide(form::kInitialInput), "Ctrl+A types nothing");

    // Tab walks Input, Output, Sabo, Pluen and back; Fleet is disabled, the panel no stop.
    const char* cycle[] = {"Output", "Sabo", "Pluen", "Input", "Output"};
    SetFocus(input);
    for (const char* next : cycle) {
        form.Key(VK_TAB);
        checks.Expect(GetFocus() == form[next], std::string("Tab moves the focus to ") + next);
    }

    // Enter on a focused button presses it; Space too.
    SetWindowTextW(input, kSaboReport);
    for (const auto& [button, key, name] : {std::tuple{"Sabo", VK_RETURN, "Enter on Sabo"},
                                            {"Pluen", VK_SPACE, "Space on Pluen"},
                                            {"Sabo", VK_RETURN, "Enter on Sabo again"}}) {
        SetFocus(form[button]);
        form.Key(key);
        checks.Equal(TextOf(output), CoreResult(button, kSaboReport), name);
    }

    // The edit control's own editing keys in Input, one after the other.
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
        checks.Equal(TextOf(input), row.input, std::string(row.name) + ": Input");
        checks.Equal(ClipboardText(), row.clipboard, std::string(row.name) + ": clipboard");
    }

    // In Input, Enter is a line break.
    SetWindowTextW(input, L"Eisen 1");
    SetFocus(input);
    SendMessageW(input, EM_SETSEL, 7, 7);
    form.Key(VK_RETURN);
    checks.Equal(TextOf(input), L"Eisen 1\r\n", "Enter in Input breaks the line");

    // Esc in a box changes nothing; above all, it does not close the window.
    for (const char* box : {"Input", "Output"}) {
        SetFocus(form[box]);
        const std::wstring before = TextOf(form[box]);
        form.Key(VK_ESCAPE);
        const std::string name = std::string("Esc in ") + box;
        if (checks.Expect(IsWindow(form.window()), name + " leaves the window open")) {
            checks.Equal(TextOf(form[box]), before, name + " changes no text");
            checks.Expect(GetFocus() == form[box], name + " leaves the focus there");
        }
    }
}

LRESULT CALLBACK CountMenuLoops(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR count) {
    if (message == WM_ENTERMENULOOP) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The menus are disabled: no key takes the keyboard into the menu bar, and the focus stays.
void TestMenuKeys(Checks& checks) {
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
        SetFocus(form["Input"]);
        menu_loops = 0;
        for (const auto& [message, key] : row.keys) {
            const LPARAM alt = key == VK_F10 ? 0 : (1 << 29);
            PostMessageW(form["Input"], message, key,
                         1 | alt | (message == WM_SYSKEYUP ? (3u << 30) : 0));
        }
        // Should a menu loop start, this Esc ends it instead of the test.
        PostMessageW(form["Input"], WM_KEYDOWN, VK_ESCAPE, 1);
        form.Pump();
        const std::string name = row.name;
        checks.Equal(menu_loops, 0, name + " opens no menu");
        checks.Expect(GetFocus() == form["Input"], name + " leaves the focus in Input");
    }
    RemoveWindowSubclass(form.window(), CountMenuLoops, 1);
}

// Failures as the rows say, in a counter and at start-up, and what the error box then shows
// (nullptr: no box).
void TestFailures(Checks& checks) {
    const struct {
        const char* name;
        std::function<void()> fail;
        const wchar_t* in_counter;
        const wchar_t* at_start_up;
    } rows[] = {
        {"out of memory", [] { throw std::bad_alloc(); }, L"Out of memory.", L"Out of memory."},
        {"question mark", [] { throw Exception(u"Wirklich?"); }, L"Wirklich?.", L"Wirklich?."},
        {"period", [] { throw Exception(u"Fehler."); }, L"Fehler.", L"Fehler."},
        {"exclamation mark", [] { throw Exception(u"Fehler!"); }, L"Fehler!", L"Fehler!"},
        {"umlaut", [] { throw Exception(u"Zähler kaputt: ä"); }, L"Zähler kaputt: ä.",
         L"Zähler kaputt: ä."},
        {"empty message", [] { throw Exception(u""); }, L"", L""},
        {"abort", [] { throw EAbort(); }, nullptr, L"Operation aborted."},
        {"foreign failure", [] { throw std::runtime_error("kaputt"); },
         L"External exception E06D7363.", L""},
    };
    const auto check_shown = [&checks](const std::vector<Shown>& shown, const wchar_t* expected,
                                       const std::string& name) {
        if (checks.Equal(static_cast<long long>(shown.size()), expected == nullptr ? 0 : 1,
                         name + ": boxes shown") &&
            expected != nullptr) {
            checks.Equal(shown[0].caption, L"KORVA-Counter", name + ": caption");
            checks.Equal(shown[0].text, expected, name + ": text");
        }
    };
    for (const auto& row : rows) {
        std::vector<Shown> shown;
        FormOptions options;
        options.sabo = [&row](std::string_view) -> ResultLines {
            row.fail();
            return {};
        };
        options.error_box = Recorder(shown);
        const Form form(options);
        const std::string name = row.name;
        form.Click("Sabo");
        check_shown(shown, row.in_counter, name);
        checks.Equal(TextOf(form["Output"]), Wide(form::kInitialOutput),
                     name + ": Output as it was");
        form.Click("Pluen");
        checks.Equal(TextOf(form["Output"]), CoreResult("Pluen", Wide(form::kInitialInput)),
                     name + ": the window goes on working");

        std::vector<Shown> at_start_up;
        try {
            row.fail();
        } catch (...) {
            ShowStartUpFailure(std::current_exception(), Recorder(at_start_up));
        }
        check_shown(at_start_up, row.at_start_up, "start-up, " + name);
    }
}

// The loop until the program would end; a watchdog ends it with 99 should the window not close.
int RunUntilEnd(HWND form) {
    const UINT_PTR watchdog =
        SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
    const int status = RunMessageLoop(form);
    KillTimer(nullptr, watchdog);
    return status;
}

// The application window: the task bar's and Alt+Tab's entry, owner of MainForm.
void TestApplicationWindow(Checks& checks) {
    {
        const Form form;
        const HWND application = form.application();
        checks.Equal(TextOf(application), Wide(form::kApplicationTitle), "application title");
        checks.Expect(GetWindow(form.window(), GW_OWNER) == application,
                      "MainForm is owned by the application window");
        checks.Expect(GetWindow(application, GW_OWNER) == nullptr && IsWindowVisible(application),
                      "the application window is unowned and visible: it has the task-bar entry");
        checks.Expect((GetWindowLongPtrW(form.window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0,
                      "MainForm has no task-bar entry of its own");
        RECT rect;
        GetWindowRect(application, &rect);
        checks.Expect(IsRectEmpty(&rect), "the application window takes no room on screen");

        // MainForm's minimise button minimises the application and hides MainForm with it;
        // the task-bar entry restores both, and MainForm is active again.
        SendMessageW(form.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        form.Pump();
        checks.Expect(IsIconic(application) && !IsWindowVisible(form.window()),
                      "minimise: the application is minimised, MainForm hidden");
        SendMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
        form.Pump();
        checks.Expect(
            !IsIconic(application) && IsWindowVisible(form.window()) && !IsIconic(form.window()),
            "restore: MainForm is shown again");
        checks.Expect(GetActiveWindow() == form.window(), "restore: MainForm is active");
        SetFocus(form["Output"]);
        SetActiveWindow(application);
        form.Pump();
        checks.Expect(GetActiveWindow() == form.window(),
                      "Alt+Tab to the application activates MainForm");
        checks.Expect(GetFocus() == form["Output"], "the focus comes back where it was");
    }
    {
        const Form form({}, SW_SHOWMINNOACTIVE);
        checks.Expect(IsIconic(form.application()) && !IsWindowVisible(form.window()),
                      "a minimised start minimises the application");
        SendMessageW(form.application(), WM_SYSCOMMAND, SC_RESTORE, 0);
        form.Pump();
        checks.Expect(IsWindowVisible(form.window()) && !IsIconic(form.window()),
                      "a minimised start restores to MainForm");
    }

    // Each way to close ends the loop with the exit status 0.
    const struct {
        const char* name;
        bool at_application;
        UINT message;
        WPARAM w_param;
    } closes[] = {
        {"MainForm's close button", false, WM_SYSCOMMAND, SC_CLOSE},
        {"Alt+F4 on MainForm", false, WM_CLOSE, 0},
        {"the task bar's Close", true, WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto& row : closes) {
        const Form form;
        PostMessageW(row.at_application ? form.application() : form.window(), row.message,
                     row.w_param, 0);
        const std::string name = row.name;
        checks.Equal(RunUntilEnd(form.window()), 0, name + ": exit status");
        checks.Expect(!IsWindow(form.window()), name + ": MainForm is gone");
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
void TestRealErrorBox(Checks& checks) {
    FormOptions options;
    options.sabo = [](std::string_view) -> ResultLines { throw Exception(u"Fehler"); };
    const Form form(options);
    BoxSeen seen;
    SetPropW(form.window(), kBoxSeen, &seen);
    SetTimer(form.window(), 1, 50, LookAtErrorBox);
    form.Click("Sabo");
    RemovePropW(form.window(), kBoxSeen);
    if (checks.Expect(seen.found, "the error box is shown")) {
        checks.Expect(seen.owned_by_form, "the error box is owned by MainForm");
        checks.Expect(!seen.form_enabled, "MainForm is disabled while the box is open");
        checks.Equal(seen.text, L"Fehler.", "the box's text");
    }
    checks.Expect(IsWindowEnabled(form.window()), "MainForm is enabled again after OK");
}

// The layout and the fonts follow the monitor's dpi: 150 % and 200 %, and back.
void TestDpi(Checks& checks) {
    const Form form;
    for (const UINT dpi : {144u, 192u, 96u}) {
        const RECT suggested{40, 30, 50, 40};
        SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        form.Pump();
        CheckPlaces(checks, form, dpi);
        RECT outer;
        GetWindowRect(form.window(), &outer);
        checks.Expect(outer.left == 40 && outer.top == 30,
                      "the window takes the suggested place at " + std::to_string(dpi));
        CheckFonts(checks, form, dpi);
    }
}

COLORREF PixelAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// What the screen shows: the boxes' backgrounds and the panel's two bevels.
void TestPixels(Checks& checks) {
    const Form form;
    RedrawWindow(form.window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    form.Pump();
    Sleep(200);
    const struct {
        const char* what;
        std::string_view control;
        int x;
        int y;
        int colour;
    } rows[] = {
        {"Output's background is the menu colour", "Output", 200, 300, COLOR_MENU},
        {"Input's background is the window colour", "Input", 200, 300, COLOR_WINDOW},
        {"the panel's outer bevel is lowered (shadow at the top left)", "Panel1", 20, 0,
         COLOR_BTNSHADOW},
        {"the panel's inner bevel is raised (light at the top left)", "Panel1", 20, 1,
         COLOR_BTNHIGHLIGHT},
        {"the panel's outer bevel at the bottom right is light", "Panel1", 20, -1,
         COLOR_BTNHIGHLIGHT},
        {"the panel's inner bevel at the bottom right is shadow", "Panel1", 20, -2,
         COLOR_BTNSHADOW},
        {"the panel's face", "Panel1", 40, 200, COLOR_BTNFACE},
    };
    for (const auto& row : rows) {
        // A negative y counts from the bottom edge.
        RECT client;
        GetClientRect(form[row.control], &client);
        const int y = row.y >= 0 ? row.y : client.bottom + row.y;
        checks.Equal(PixelAt(form[row.control], row.x, y), GetSysColor(row.colour), row.what);
    }
}

// A paste of 50 MB of reports is kept whole and counted as the core counts it.
void TestLargePaste(Checks& checks) {
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
    checks.Expect(SetClipboardText(report), "50 MB on the clipboard");

    const HWND input = form["Input"];
    SetFocus(input);
    SendMessageW(input, EM_SETSEL, 0, -1);
    SendMessageW(input, WM_PASTE, 0, 0);
    const std::wstring kept = TextOf(input);
    checks.Equal(static_cast<long long>(kept.size()), static_cast<long long>(report.size()),
                 "Input holds all of the paste");
    checks.Expect(kept == report, "Input holds the paste unchanged");
    form.Click("Sabo");
    checks.Equal(TextOf(form["Output"]), CoreResult("Sabo", report), "Sabo over 50 MB");
    form.Click("Pluen");
    checks.Equal(TextOf(form["Output"]), CoreResult("Pluen", report), "Plünder over 50 MB");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Checks checks;
    RegisterFormClasses(GetModuleHandleW(nullptr));
    const std::wstring_view option = argc > 1 ? argv[1] : L"";
    if (option == L"--large") {
        TestLargePaste(checks);
    } else {
        const UINT dpi = option == L"--dpi" && argc > 2 ? std::stoul(argv[2]) : kDesignDpi;
        TestWindow(checks, dpi);
        TestMenu(checks);
        TestCounts(checks);
        TestCopy(checks);
        TestKeys(checks);
        TestMenuKeys(checks);
        TestFailures(checks);
        TestApplicationWindow(checks);
        TestRealErrorBox(checks);
        TestDpi(checks);
        TestPixels(checks);
    }
    return checks.Finish();
}
