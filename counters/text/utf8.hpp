// One code point in UTF-8: every front end's and the core's one encoder.
#pragma once

#include <string>

namespace korva {

inline constexpr std::size_t kMostUtf8Bytes = 4;

// Writes code_point's bytes from out, which has room for kMostUtf8Bytes; returns their end.
inline char* PutUtf8(char* out, char32_t code_point) {
    const auto byte = [&out](char32_t value) { *out++ = static_cast<char>(value); };
    if (code_point < 0x80) {
        byte(code_point);
    } else if (code_point < 0x800) {
        byte(0xC0 | code_point >> 6);
        byte(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        byte(0xE0 | code_point >> 12);
        byte(0x80 | (code_point >> 6 & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    } else {
        byte(0xF0 | code_point >> 18);
        byte(0x80 | (code_point >> 12 & 0x3F));
        byte(0x80 | (code_point >> 6 & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    }
    return out;
}

inline void AppendUtf8(std::string& out, char32_t code_point) {
    char bytes[kMostUtf8Bytes];
    out.append(bytes, PutUtf8(bytes, code_point));
}

}  // namespace korva
