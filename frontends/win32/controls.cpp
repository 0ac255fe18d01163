#include "frontends/win32/controls.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "frontends/win32/edit_keys.hpp"
#include "frontends/win32/failure.hpp"
#include "frontends/win32/layout.hpp"
#include "frontends/win32/panel.hpp"
#include "frontends/win32/wide_text.hpp"

namespace korva::win32 {
namespace {

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

}  // namespace

void CreateControls(HWND window, FormState& state) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    // In table order, which is the tab order: the panel comes before the buttons it holds.
    for (std::size_t i = 0; i < form::kControls.size(); ++i) {
        const form::Control& control = form::kControls[i];
        const ControlClass kind = ClassOf(control.kind);
        const HWND parent = control.parent == form::Parent::kPanel1
                                ? Control(state, form::ControlId::kPanel1)
                                : window;
        const DWORD enabled = control.enabled ? 0 : WS_DISABLED;
        const std::wstring caption = Wide(control.caption);
        state.controls[i] = CreateWindowExW(
            kind.ex_style, kind.name, caption.c_str(), WS_CHILD | WS_VISIBLE | kind.style | enabled,
            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kFirstControlId + i), instance, nullptr);
        if (state.controls[i] == nullptr) throw LastErrorException();
    }

    const HWND input = Control(state, form::ControlId::kInput);
    const HWND output = Control(state, form::ControlId::kOutput);
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
    state.result_region = std::make_unique<LiveRegion>(output);
}

namespace {

Font DesignFont(int point_size, UINT dpi) {
    const std::wstring face = Wide(form::kFontFamily);
    HFONT font = CreateFontW(FontHeight(point_size, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
    if (font == nullptr) throw LastErrorException();
    return Font(font);
}

}  // namespace

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

}  // namespace korva::win32
