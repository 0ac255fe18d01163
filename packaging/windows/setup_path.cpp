// korva-setup-path.exe, run by the setup and its uninstaller, never installed:
//   korva-setup-path add|remove FOLDER
// adds FOLDER to the user's PATH (HKCU\Environment) or takes exactly that entry out again, then
// tells running programs. It exists because the setup's own strings hold 1,024 characters, and a
// longer PATH written back through one would be cut. Exit status 0 when changed, 3 when there was
// nothing to change (to add: an entry names the folder already), 1 when the registry refused, 2 on
// wrong use. The setup keeps "added" in its uninstall key, so that the uninstaller takes out no
// entry the player made.
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "packaging/windows/path_entry.hpp"

namespace {

constexpr const wchar_t* kEnvironment = L"Environment";
constexpr const wchar_t* kPath = L"Path";

struct PathValue {
    std::wstring text;
    DWORD type = REG_EXPAND_SZ;  // as Windows makes a new user PATH
};

// The value as stored: %NAMES% stay unexpanded. False when the registry refused.
bool ReadPath(HKEY key, PathValue& value) {
    constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    for (;;) {
        DWORD type = 0;
        DWORD bytes = 0;
        LSTATUS status = RegGetValueW(key, nullptr, kPath, kFlags, &type, nullptr, &bytes);
        if (status == ERROR_FILE_NOT_FOUND) return true;
        if (status != ERROR_SUCCESS) return false;
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegGetValueW(key, nullptr, kPath, kFlags, &type, text.data(), &bytes);
        if (status == ERROR_MORE_DATA) continue;  // grew in between
        if (status != ERROR_SUCCESS) return false;
        text.resize(wcsnlen(text.data(), bytes / sizeof(wchar_t)));
        value = PathValue{std::move(text), type};
        return true;
    }
}

bool WritePath(HKEY key, const PathValue& value, const std::wstring& text) {
    // Emptied by taking our entry out: the value was not there before the setup made it.
    if (text.empty()) return RegDeleteValueW(key, kPath) == ERROR_SUCCESS;
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, kPath, 0, value.type, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes) == ERROR_SUCCESS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view verb = argc == 3 ? argv[1] : L"";
    if (verb != L"add" && verb != L"remove") return 2;
    const std::wstring_view folder = argv[2];

    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kEnvironment, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    PathValue value;
    bool done = ReadPath(key, value);
    bool changed = false;
    if (done) {
        const std::wstring text =
            verb == L"add"
                ? korva::setup::WithEntry(value.text, folder, value.type == REG_EXPAND_SZ)
                : korva::setup::WithoutEntry(value.text, folder);
        changed = text != value.text;
        if (changed) done = WritePath(key, value, text);
    }
    RegCloseKey(key);
    if (!done) return 1;
    if (!changed) return 3;
    // Explorer reads the new PATH, so that a console opened from now on finds the programs.
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kEnvironment),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return 0;
}
