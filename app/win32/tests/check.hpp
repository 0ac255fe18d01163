// A small check harness for tests that drive the real window in-process: each failed check
// prints what differs, and the run ends with "N passed, N failed" and the matching status.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace korva::win32::testing {

inline std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

// Long texts are shown by their length and first bytes only.
inline std::string Shown(std::wstring_view text) {
    std::string shown;
    for (const wchar_t c : text.substr(0, 200)) {
        if (c == L'\r') {
            shown += "\\r";
        } else if (c == L'\n') {
            shown += "\\n";
        } else {
            shown += Utf8(std::wstring_view(&c, 1));
        }
    }
    if (text.size() > 200) shown += "... (" + std::to_string(text.size()) + " characters)";
    return shown;
}
inline std::string Shown(long long value) {
    return std::to_string(value);
}

class Checks {
  public:
    bool Expect(bool ok, std::string_view what) {
        if (ok) {
            ++passed_;
        } else {
            ++failed_;
            std::printf("FAIL: %.*s\n", static_cast<int>(what.size()), what.data());
        }
        return ok;
    }

    bool Equal(std::wstring_view actual, std::wstring_view expected, std::string_view what) {
        const bool ok = Expect(actual == expected, what);
        if (!ok) {
            std::printf("  actual:   %s\n  expected: %s\n", Shown(actual).c_str(),
                        Shown(expected).c_str());
        }
        return ok;
    }

    bool Equal(long long actual, long long expected, std::string_view what) {
        const bool ok = Expect(actual == expected, what);
        if (!ok) std::printf("  actual: %lld, expected: %lld\n", actual, expected);
        return ok;
    }

    // The closing line; the process's status.
    int Finish() const {
        std::printf("%d passed, %d failed\n", passed_, failed_);
        std::fflush(stdout);
        return failed_ == 0 ? 0 : 1;
    }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace korva::win32::testing
