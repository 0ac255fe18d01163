#include "app/win32/main_form.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <array>
#include <cstddef>
#include <exception>
#include <memory>
#include <string>

#include "app/win32/edit_keys.hpp"
#include "app/win32/layout.hpp"
#include "app/win32/menu.hpp"
#include "app/win32/panel.hpp"
#include "app/win32/wide_text.hpp"
#include "app/window/form.hpp"
#include "counters/cp1252.hpp"

namespace korva::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"TMainForm";
constexpr int kFirstControlId = 100;
constexpr int kIconId = 1;

// A fixed border with close and minimise only.
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

using Controls = std::array<HWND, form::kControls.size()>;

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Everything MainForm holds besides what its controls hold.
struct FormState {
    explicit FormState(const FormOptions& form_options) : options(form_options) {}

    FormOptions options;
    Controls controls{};
    Font font;
    Font label_font;
    // The control that had the focus when the window was last deactivated.
    HWND last_focus = nullptr;
    // Set once WM_CREATE has succeeded: only a window that was made ends the program.
    bool created = false;
};

// What CreateMainForm hands to the window's creation, and gets back when it fails.
struct Creation {
    const FormOptions* options;
    std::exception_ptr failure;
};

constexpr std::size_t IndexOf(std::string_view name) {
    for (std::size_t i = 0; i < form::kControls.size(); ++i) {
        if (form::kControls[i].name == name) return i;
    }
    return form::kControls.size();
}

FormState* StateOf(HWND window) {
    return reinterpret_cast<FormState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND Control(const FormState& state, std::string_view name) {
    return state.controls.at(IndexOf(name));
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD ex_style;
};

ControlClass ClassOf(form::Kind kind) {
    switch (kind) {
        case form::Kind::kLabel:
            return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
        case form::Kind::kInputBox:
            // No word wrap: each line of the box is one report line, however long, scrolled
            // sideways without a scroll bar.
            return {WC_EDITW,
                    WS_GROUP | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                        ES_AUTOHSCROLL | ES_WANTRETURN,
                    WS_EX_CLIENTEDGE};
        case form::Kind::kOutputBox:
            return {
                WC_EDITW,
                WS_GROUP | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                WS_EX_CLIENTEDGE};
        case form::Kind::kPanel:
            return {kPanelClass, WS_GROUP, WS_EX_CONTROLPARENT};
        case form::Kind::kButton:
            return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    }
    return {WC_STATICW, 0, 0};
}

void CreateControls(HWND window, FormState& state) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    // In table order, which is the tab order: the panel comes before the buttons it holds.
    for (std::size_t i = 0; i < form::kControls.size(); ++i) {
        const form::Control& control = form::kControls[i];
        const ControlClass kind = ClassOf(control.kind);
        const HWND parent =
            control.parent == form::Parent::kPanel1 ? Control(state, "Panel1") : window;
        const DWORD enabled = control.enabled ? 0 : WS_DISABLED;
        const std::wstring caption = Wide(control.caption);
        state.controls[i] = CreateWindowExW(
            kind.ex_style, kind.name, caption.c_str(), WS_CHILD | WS_VISIBLE | kind.style | enabled,
            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kFirstControlId + i), instance, nullptr);
        if (state.controls[i] == nullptr) throw LastErrorException();
    }

    const HWND input = Control(state, "Input");
    const HWND output = Control(state, "Output");
    // The edit control's own limit of 32,767 characters would cut a large paste short.
    SendMessageW(input, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(output, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(input, Wide(form::kInitialInput).c_str());
    SetWindowTextW(output, Wide(form::kInitialOutput).c_str());
    // The help text is selected, so that the first paste or typing replaces it instead of
    // running into its first line and losing that line's number.
    SendMessageW(input, EM_SETSEL, 0, -1);
    AddEditKeys(input);
    AddEditKeys(output);
}

Font DesignFont(int point_size, UINT dpi) {
    const std::wstring face = Wide(form::kFontFamily);
    HFONT font = CreateFontW(FontHeight(point_size, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
    if (font == nullptr) throw LastErrorException();
    return Font(font);
}

// Fonts, control places and the window's size for dpi; the window keeps its place, or takes
// the one the system suggests.
void ApplyDpi(HWND window, FormState& state, UINT dpi, const RECT* suggested) {
    Font font = DesignFont(form::kWindowPointSize, dpi);
    Font label_font = DesignFont(form::kLabelPointSize, dpi);
    for (std::size_t i = 0; i < form::kControls.size(); ++i) {
        const form::Control& control = form::kControls[i];
        const RECT place = ScaledRect(control.rect, dpi);
        MoveWindow(state.controls[i], place.left, place.top, place.right - place.left,
                   place.bottom - place.top, TRUE);
        HFONT control_font = control.kind == form::Kind::kLabel ? label_font.get() : font.get();
        SetWindowFont(state.controls[i], control_font, TRUE);
    }
    state.font = std::move(font);
    state.label_font = std::move(label_font);

    RECT outer = OuterWindowRect(kFormStyle, kFormExStyle, dpi);
    if (suggested != nullptr) {
        OffsetRect(&outer, suggested->left - outer.left, suggested->top - outer.top);
    }
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The menu bar's real height may differ from the system's estimate for dpi (a bar that
    // wraps, a menu font that does not scale): the client size is what must come out right.
    RECT client;
    GetClientRect(window, &client);
    const int wider = Scaled(form::kClientSize.width, dpi) - client.right;
    const int taller = Scaled(form::kClientSize.height, dpi) - client.bottom;
    if (wider != 0 || taller != 0) {
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + wider,
                     outer.bottom - outer.top + taller, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// --- The commands --------------------------------------------------------------------------

// Counts the whole report first; only then is the result box replaced.
void ShowCount(const FormState& state, const ReportCounter& count) {
    const std::string report = Utf16ToCp1252(AsUtf16(WindowText(Control(state, "Input"))));
    const std::u16string result = form::ResultBoxText(count(report));
    const HWND output = Control(state, "Output");
    SetWindowTextW(output, AsWide(result).data());
    SendMessageW(output, EM_SETSEL, result.size(), result.size());
}

void SelectSaboCounter(const FormState& state) {
    ShowCount(state, state.options.sabo);
}

void SelectPluenCounter(const FormState& state) {
    ShowCount(state, state.options.pluen);
}

void SelectFleetCounter(const FormState&) {}

void FileSaveAs(HWND window) {
    // Shown, but nothing is written whatever the user chooses.
    std::wstring filter = Wide(form::kTextFileFilterName);
    filter += L'\0';
    filter += Wide(form::kTextFileFilterPattern);
    filter += L'\0';
    std::array<wchar_t, MAX_PATH> file{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    GetSaveFileNameW(&dialog);
}

void FileExit(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void EditUndo(const FormState& state) {
    SendMessageW(Control(state, "Input"), WM_UNDO, 0, 0);
}

void EditPaste(const FormState& state) {
    SendMessageW(Control(state, "Input"), WM_PASTE, 0, 0);
}

void EditClearMemoClick(const FormState&) {}

void EditCopyResultClick(const FormState& state) {
    const HWND output = Control(state, "Output");
    SendMessageW(output, EM_SETSEL, 0, -1);
    SendMessageW(output, WM_COPY, 0, 0);
    SendMessageW(output, EM_SETSEL, 0, 0);
    SendMessageW(output, EM_SCROLLCARET, 0, 0);
}

void RunMenuCommand(HWND window, const FormState& state, form::Command command) {
    switch (command) {
        case form::Command::kNone:
            break;
        case form::Command::kFileSaveAs:
            FileSaveAs(window);
            break;
        case form::Command::kFileExit:
            FileExit(window);
            break;
        case form::Command::kEditUndo:
            EditUndo(state);
            break;
        case form::Command::kEditPaste:
            EditPaste(state);
            break;
        case form::Command::kEditClearMemo:
            EditClearMemoClick(state);
            break;
        case form::Command::kEditCopyResult:
            EditCopyResultClick(state);
            break;
    }
}

// --- The messages --------------------------------------------------------------------------

BOOL OnNcCreate(HWND window, LPCREATESTRUCTW create) {
    auto* creation = static_cast<Creation*>(create->lpCreateParams);
    try {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new FormState(*creation->options)));
    } catch (...) {
        creation->failure = std::current_exception();
        return FALSE;
    }
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcW);
}

// A failure here goes back to CreateMainForm: it belongs to start-up, not to an event.
BOOL OnCreate(HWND window, LPCREATESTRUCTW create) {
    auto* creation = static_cast<Creation*>(create->lpCreateParams);
    try {
        FormState& state = *StateOf(window);
        CreateControls(window, state);
        ApplyDpi(window, state, GetDpiForWindow(window), nullptr);
        state.created = true;
    } catch (...) {
        creation->failure = std::current_exception();
        return FALSE;
    }
    return TRUE;
}

void OnCommand(HWND window, int id, HWND, UINT code) {
    const FormState& state = *StateOf(window);
    if (id == ControlId("Sabo") && code == BN_CLICKED) return SelectSaboCounter(state);
    if (id == ControlId("Pluen") && code == BN_CLICKED) return SelectPluenCounter(state);
    if (id == ControlId("Fleet") && code == BN_CLICKED) return SelectFleetCounter(state);
    if (const auto entry = MenuEntryOf(id); entry && code == 0) {
        RunMenuCommand(window, state, entry->command);
    }
}

// The read-only Output asks here for its colours: the menu colour behind its text.
HBRUSH OnCtlColorStatic(HWND window, HDC dc, HWND control, int) {
    if (control == Control(*StateOf(window), "Output")) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return GetSysColorBrush(COLOR_MENU);
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH OnCtlColorEdit(HWND, HDC dc, HWND, int) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

// The focus leaves with the window and comes back where it was; the first time, to Input.
void OnActivate(HWND window, UINT state, HWND, BOOL minimized) {
    FormState& form_state = *StateOf(window);
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) form_state.last_focus = focus;
    } else if (!minimized) {
        const HWND focus = form_state.last_focus != nullptr
                               ? form_state.last_focus
                               : Control(form_state, form::kFirstFocus);
        SetFocus(focus);
    }
}

// The menus are disabled for the whole run: Alt, F10 and the menus' letters would only take the
// keyboard into a menu bar where nothing can open. Alt+Space still opens the system menu.
bool IsMenuBarKey(WPARAM command, LPARAM key) {
    return (command & 0xFFF0) == SC_KEYMENU && key != ' ';
}

void OnDpiChanged(HWND window, UINT dpi, const RECT* suggested) {
    ApplyDpi(window, *StateOf(window), dpi, suggested);
}

void OnDestroy(HWND window) {
    if (StateOf(window)->created) PostQuitMessage(0);
}

void OnNcDestroy(HWND window) {
    delete StateOf(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_CTLCOLORSTATIC, OnCtlColorStatic);
        HANDLE_MSG(hwnd, WM_CTLCOLOREDIT, OnCtlColorEdit);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
        HANDLE_MSG(hwnd, WM_NCDESTROY, OnNcDestroy);
        case WM_ACTIVATE:
            // Handled: the focus is set here, not left to the default, which gives it to the
            // window itself.
            OnActivate(hwnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_SYSCOMMAND:
            if (IsMenuBarKey(wParam, lParam)) return 0;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case WM_DPICHANGED:
            OnDpiChanged(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// Every message under the event guard.
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        return OnNcCreate(hwnd, reinterpret_cast<LPCREATESTRUCTW>(lParam));
    }
    const FormState* state = StateOf(hwnd);
    if (state == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const ErrorBox box = state->options.error_box;
    return Guarded(hwnd, box, LRESULT{0}, [&] { return Dispatch(hwnd, message, wParam, lParam); });
}

}  // namespace

void RegisterFormClasses(HINSTANCE instance) {
    RegisterPanelClass(instance);
    WNDCLASSEXW form_class{};
    form_class.cbSize = sizeof form_class;
    form_class.lpfnWndProc = FormProc;
    form_class.hInstance = instance;
    form_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    form_class.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    form_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form_class.lpszClassName = kFormClass;
    if (RegisterClassExW(&form_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw LastErrorException();
    }
}

HWND CreateMainForm(HINSTANCE instance, const FormOptions& options) {
    Creation creation{&options, nullptr};
    const HMENU menu = CreateMainMenu();
    const std::wstring caption = Wide(form::kCaption);
    // At 96 dpi first; WM_CREATE sizes it for the dpi of the monitor it landed on.
    const RECT outer = OuterWindowRect(kFormStyle, kFormExStyle, kDesignDpi);
    const HWND window = CreateWindowExW(
        kFormExStyle, kFormClass, caption.c_str(), kFormStyle, outer.left, outer.top,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, menu, instance, &creation);
    if (window == nullptr) {
        const Exception system_failure = LastErrorException();
        // Gone already if the window took it before failing; then this call fails harmlessly.
        DestroyMenu(menu);
        if (creation.failure) std::rethrow_exception(creation.failure);
        throw system_failure;
    }
    return window;
}

int ControlId(std::string_view name) {
    return kFirstControlId + static_cast<int>(IndexOf(name));
}

HWND ControlOf(HWND form, std::string_view name) {
    const FormState* state = StateOf(form);
    return state != nullptr ? Control(*state, name) : nullptr;
}

}  // namespace korva::win32
