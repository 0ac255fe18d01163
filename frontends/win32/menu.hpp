// The menu bar, built from the form's menu table.
#pragma once

#include <windows.h>

#include <optional>

#include "frontends/model/form.hpp"

namespace korva::win32 {

// Each entry's command id is its place in the table after this base, so that every item can be
// told apart.
inline constexpr int kFirstMenuId = 1000;

// The whole menu bar; the caller owns it (a window destroys the menu it holds).
HMENU CreateMainMenu();

// The table entry of a menu command id, or none when id is no menu item's.
std::optional<form::MenuEntry> MenuEntryOf(int id);

}  // namespace korva::win32
