// What the setup's windows show, read as Windows holds it, for tools/test-packages.sh:
//   setup_probe texts NEEDLE
// prints the controls of the window one of whose controls' text holds NEEDLE, a line each: class,
// tab, text (the box's words and its buttons as Windows labelled them; the licence page's box).
// Text goes out as UTF-8, line ends as LF. Exit status 1 when nothing was found.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Print(std::wstring_view text) {
    std::wstring clean;
    for (const wchar_t c : text) {
        if (c != L'\r') clean += c;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, clean.data(), static_cast<int>(clean.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, clean.data(), static_cast<int>(clean.size()), bytes.data(),
                        size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

struct Control {
    std::wstring kind;
    std::wstring text;
};

// A control of another program: WM_GETTEXT, which Windows carries across, where GetWindowText
// would give only a caption.
std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return L"";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

BOOL CALLBACK AddControl(HWND window, LPARAM controls) {
    wchar_t kind[64] = L"";
    GetClassNameW(window, kind, 64);
    reinterpret_cast<std::vector<Control>*>(controls)->push_back({kind, TextOf(window)});
    return TRUE;
}

struct Search {
    std::wstring_view needle;
    std::vector<Control> found;
};

BOOL CALLBACK SearchWindow(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<Search*>(search_address);
    if (!IsWindowVisible(window)) return TRUE;
    std::vector<Control> controls;
    EnumChildWindows(window, AddControl, reinterpret_cast<LPARAM>(&controls));
    for (const Control& control : controls) {
        if (control.text.find(search.needle) != std::wstring::npos) {
            search.found = std::move(controls);
            return FALSE;
        }
    }
    return TRUE;
}

int PrintTexts(std::wstring_view needle) {
    Search search{needle, {}};
    EnumWindows(SearchWindow, reinterpret_cast<LPARAM>(&search));
    for (const Control& control : search.found) {
        Print(control.kind + L"\t" + control.text + L"\n");
    }
    return search.found.empty() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view verb = argc == 3 ? argv[1] : L"";
    return verb == L"texts" ? PrintTexts(argv[2]) : 2;
}
