#include "frontends/win32/edit_keys.hpp"

#include <commctrl.h>

namespace korva::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// The character TranslateMessage makes of Ctrl+A.
constexpr WPARAM kCtrlA = 0x01;

LRESULT CALLBACK EditKeysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    switch (message) {
        case WM_CHAR:
            if (wParam == kCtrlA) {
                SendMessageW(edit, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            // Asked for its dialog keys by the message loop, a multi-line edit takes itself to
            // be in a dialog box and answers Esc by closing its parent: the window, and the
            // reports in it, would be gone.
            if (wParam == VK_ESCAPE) return 0;
            break;
        case WM_GETDLGCODE: {
            // A multi-line edit wants every key, Tab included; the dialog keys in the message
            // loop should move the focus on Tab.
            LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
                code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
            }
            return code;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, EditKeysProc, kSubclassId);
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void AddEditKeys(HWND edit) {
    SetWindowSubclass(edit, EditKeysProc, kSubclassId, 0);
}

}  // namespace korva::win32
