#include "counters/text/cp1252.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "counters/text/utf8.hpp"

namespace korva {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

struct Utf8Piece {
    char32_t code_point;  // meaningful only when valid
    std::size_t length;   // for an invalid piece, the length of the maximal invalid piece
    bool valid;
};

Utf8Piece DecodeUtf8At(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t need;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    char32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) lo = 0xA0;  // overlong
        if (lead == 0xED) hi = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) lo = 0x90;  // overlong
        if (lead == 0xF4) hi = 0x8F;  // past U+10FFFF
    } else {
        return {0, 1, false};
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= text.size()) return {0, k, false};
        const unsigned char c = byte(i + k);
        if (c < lo || c > hi) return {0, k, false};
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (c & 0x3F);
    }
    return {cp, need + 1, true};
}

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

char Cp1252FromCodePoint(char32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
        return static_cast<char>(code_point);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code_point) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Piece piece = DecodeUtf8At(text, i);
        if (!piece.valid) return false;
        i += piece.length;
    }
    return true;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf8ToCp1252(out, text);
    return out;
}

void AppendUtf8ToCp1252(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const Utf8Piece piece = DecodeUtf8At(text, i);
        out.push_back(piece.valid ? Cp1252FromCodePoint(piece.code_point) : '?');
        i += piece.length;
    }
}

std::size_t FirstNonAscii(std::string_view text, std::size_t from) {
    // Eight bytes at a time, thirty-two while nothing turns up: most report text is ASCII.
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const auto word_at = [&text](std::size_t i) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        return word;
    };
    std::size_t i = from;
    while (i + 32 <= text.size() &&
           ((word_at(i) | word_at(i + 8) | word_at(i + 16) | word_at(i + 24)) & kHighBits) == 0) {
        i += 32;
    }
    for (; i + 8 <= text.size(); i += 8) {
        const std::uint64_t high = word_at(i) & kHighBits;
        if (high == 0) continue;
        if constexpr (std::endian::native == std::endian::little) {
            return i + static_cast<std::size_t>(std::countr_zero(high)) / 8;
        }
        break;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return i;
    }
    return std::string_view::npos;
}

std::string_view Utf8LineToCp1252(std::string_view line, std::string& scratch) {
    std::size_t high = FirstNonAscii(line, 0);
    if (high == std::string_view::npos) return line;
    // UTF-8 decoding never joins an ASCII byte to its neighbours (a maximal invalid piece stops
    // before one), so only the runs of high bytes go through the codec, and the ASCII between
    // them is copied as it is.
    scratch.clear();
    std::size_t done = 0;
    for (; high != std::string_view::npos; high = FirstNonAscii(line, done)) {
        std::size_t run_end = high + 1;
        while (run_end < line.size() && static_cast<unsigned char>(line[run_end]) >= 0x80) {
            ++run_end;
        }
        scratch.append(line.substr(done, high - done));
        AppendUtf8ToCp1252(scratch, line.substr(high, run_end - high));
        done = run_end;
    }
    scratch.append(line.substr(done));
    return scratch;
}

std::string Utf16ToCp1252(std::u16string_view text) {
    // Sized once and written by index: a 50 MB paste is mostly ASCII and Latin-1, which take
    // the first branch, and only a surrogate pair makes the result shorter than the input.
    std::string out(text.size(), '\0');
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            out[n++] = static_cast<char>(unit);
            continue;
        }
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        out[n++] = unit >= 0xD800 && unit <= 0xDFFF ? '?' : Cp1252FromCodePoint(unit);
    }
    out.resize(n);
    return out;
}

std::u16string Cp1252ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text) {
        out.push_back(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c))));
    }
    return out;
}

}  // namespace korva
