#include "counters/text/text_ops.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace korva {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string_view UpToNul(std::string_view text) {
    if (text.empty()) return text;  // memchr must not get an empty view's null pointer
    const void* nul = std::memchr(text.data(), 0, text.size());
    return nul ? text.substr(0,
                             static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()))
               : text;
}

std::int64_t TextPos(std::string_view needle, std::string_view text) {
    needle = UpToNul(needle);
    text = UpToNul(text);
    if (needle.empty() || text.empty()) return 0;
    const auto k = text.find(needle);
    return k == std::string_view::npos ? 0 : static_cast<std::int64_t>(k) + 1;
}

std::string_view TextSub(std::string_view text, std::int64_t index, std::int64_t count) {
    const auto length = static_cast<std::int64_t>(text.size());
    if (index > length || count <= 0) return {};
    // Raising the index to 1 does not shorten the count.
    index = std::max<std::int64_t>(index, 1);
    const auto available = length - index + 1;
    return text.substr(static_cast<std::size_t>(index - 1),
                       static_cast<std::size_t>(std::min(count, available)));
}

std::int32_t TextToIntDef(std::string_view text, std::int32_t def) {
    text = UpToNul(text);
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return def;

    bool negative = false;
    bool hex = false;
    if (text[i] == '-') {
        negative = true;
        ++i;
    } else if (text[i] == '+') {
        ++i;
    } else if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') {
        hex = true;
        ++i;
    } else if (text[i] == '0' && i + 1 < text.size() &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return def;

    std::uint32_t a = 0;
    if (hex) {
        for (; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0 || a > 0x0FFFFFFFu) return def;
            a = a * 16 + static_cast<std::uint32_t>(d);
        }
        return static_cast<std::int32_t>(a);  // the 32 bits read as signed
    }
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9' || a > 214748364u) return def;
        a = a * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) {
        if (a > 2147483648u) return def;
        return static_cast<std::int32_t>(0u - a);
    }
    if (a > 2147483647u) return def;
    return static_cast<std::int32_t>(a);
}

std::string IntToText(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace korva
