#include "frontends/win32/set_clipboard_text.hpp"

#include <windows.h>

namespace korva::win32 {

bool SetClipboardText(std::wstring_view text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (data == nullptr) return false;
    auto* chars = static_cast<wchar_t*>(GlobalLock(data));
    if (chars == nullptr) {
        GlobalFree(data);
        return false;
    }
    text.copy(chars, text.size());
    chars[text.size()] = L'\0';
    GlobalUnlock(data);
    // The memory is the clipboard's only once SetClipboardData has taken it; until then ours
    // to free, or a busy clipboard would cost a copy of the text each time.
    bool set = false;
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
        CloseClipboard();
    }
    if (!set) GlobalFree(data);
    return set;
}

}  // namespace korva::win32
