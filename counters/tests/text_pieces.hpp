// Test texts built by hand: pieces to draw from, written in one string, and UTF-16 as bytes.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace korva::text_pieces {

// The pieces of joined, "|" between them.
inline std::vector<std::string> Pieces(std::string_view joined) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at <= joined.size();) {
        const std::size_t bar = std::min(joined.find('|', at), joined.size());
        pieces.emplace_back(joined.substr(at, bar - at));
        at = bar + 1;
    }
    return pieces;
}

// The code units in the given byte order, after that order's mark where asked.
inline std::string Utf16Bytes(std::u16string_view text, bool little_endian, bool mark = false) {
    std::string bytes = !mark ? "" : little_endian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t u : text) {
        const char low = static_cast<char>(u & 0xFF);
        const char high = static_cast<char>(u >> 8);
        bytes += little_endian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

}  // namespace korva::text_pieces
