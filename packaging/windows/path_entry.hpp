// One folder as an entry of a PATH value, added or taken out again so that the rest of the value
// keeps its bytes and order: the setup adds its folder to the user's PATH, the uninstaller takes
// exactly that entry out.
#pragma once

#include <string>
#include <string_view>

namespace korva::setup {

// The value with the folder appended as its last entry, or unchanged where an entry names the
// folder already (compared as Windows compares file names, without regard to case). Where the
// value is expanded (REG_EXPAND_SZ), an entry naming the folder through variables
// (%LOCALAPPDATA%\Programs\...) names it too.
std::wstring WithEntry(std::wstring_view path, std::wstring_view folder, bool path_expands);

// The value without the last entry that names the folder, and without the ";" that WithEntry put
// before it; unchanged where no entry names the folder.
std::wstring WithoutEntry(std::wstring_view path, std::wstring_view folder);

}  // namespace korva::setup
