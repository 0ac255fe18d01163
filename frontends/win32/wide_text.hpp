// UTF-16 text for the W functions, from the UTF-8 tables of the form and the core's char16_t.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace korva::win32 {

// The UTF-8 text as UTF-16.
std::wstring Wide(std::string_view utf8);

// On Windows wchar_t is UTF-16, so the core's char16_t text and the window's are the same units.
inline std::u16string_view AsUtf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring_view AsWide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

// An ASCII text made wide at compile time, 0-terminated: for texts that must be ready before
// they are needed, such as the error box's when memory has run out.
template <std::size_t N>
consteval std::array<wchar_t, N + 1> WideAscii(std::string_view ascii) {
    std::array<wchar_t, N + 1> wide{};
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<unsigned char>(ascii[i]) > 0x7F) throw "not ASCII";
        wide[i] = static_cast<wchar_t>(ascii[i]);
    }
    return wide;
}

}  // namespace korva::win32
