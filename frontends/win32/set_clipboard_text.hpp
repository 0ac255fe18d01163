// Putting text on the system's clipboard as another program would, for the window's tests and
// its paste benchmark: the window itself copies through its edit controls.
#pragma once

#include <string_view>

namespace korva::win32 {

// Puts text on the clipboard as CF_UNICODETEXT; false when the clipboard or the memory is not
// to be had (another program holds the clipboard open), the clipboard then as it was.
bool SetClipboardText(std::wstring_view text);

}  // namespace korva::win32
