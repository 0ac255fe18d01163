// Writes the Windows clipboard's text (CF_UNICODETEXT) to standard output as UTF-8, byte for
// byte: wine hands text to X without its CRs, so the end-to-end test reads it on this side.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

int main() {
    if (!OpenClipboard(nullptr)) return 1;
    std::string utf8;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            const int size =
                WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            utf8.resize(static_cast<std::size_t>(size));
            WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
            if (!utf8.empty()) utf8.pop_back();  // the terminating 0
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}
