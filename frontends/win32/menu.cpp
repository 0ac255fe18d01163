#include "frontends/win32/menu.hpp"

#include <cstddef>
#include <string>

#include "frontends/win32/failure.hpp"
#include "frontends/win32/wide_text.hpp"

namespace korva::win32 {

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    if (bar == nullptr) throw LastErrorException();
    HMENU popup = nullptr;
    for (std::size_t i = 0; i < form::kMenu.size(); ++i) {
        const form::MenuEntry& entry = form::kMenu[i];
        const std::wstring caption = Wide(entry.caption);
        const UINT state = entry.enabled ? MF_ENABLED : MF_GRAYED;
        BOOL added = FALSE;
        switch (entry.level) {
            case form::MenuLevel::kTop:
                popup = CreatePopupMenu();
                added = popup != nullptr &&
                        AppendMenuW(bar, MF_POPUP | MF_STRING | state,
                                    reinterpret_cast<UINT_PTR>(popup), caption.c_str());
                break;
            case form::MenuLevel::kItem:
                added = AppendMenuW(popup, MF_STRING | state, kFirstMenuId + i, caption.c_str());
                break;
            case form::MenuLevel::kSeparator:
                added = AppendMenuW(popup, MF_SEPARATOR, kFirstMenuId + i, nullptr);
                break;
        }
        if (!added) {
            const Exception failure = LastErrorException();
            DestroyMenu(bar);
            throw failure;
        }
    }
    return bar;
}

std::optional<form::MenuEntry> MenuEntryOf(int id) {
    const int index = id - kFirstMenuId;
    if (index < 0 || index >= static_cast<int>(form::kMenu.size())) return std::nullopt;
    return form::kMenu[static_cast<std::size_t>(index)];
}

}  // namespace korva::win32
