#include "frontends/printers/escapes.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "counters/text/cp1252.hpp"
#include "counters/text/utf8.hpp"

namespace korva {

namespace {

// In UTF-8 the C1 controls U+0080 to U+009F are C2 80 to C2 9F.
bool IsC1Control(std::string_view utf8, std::size_t i) {
    return static_cast<unsigned char>(utf8[i]) == 0xC2 && i + 1 < utf8.size() &&
           static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
}

// A byte outside printable ASCII (0x20 to 0x7E), as a set top bit: a byte below 0x20 borrows
// into it, and one from 0x7F on sets it when 1 is added (0xFF, which carries instead, borrows).
constexpr std::uint64_t OutsidePrintable(std::uint64_t bytes, std::uint64_t ones) {
    return (bytes - ones * 0x20) | (bytes + ones);
}

// Whether text is printable ASCII alone, as nearly every report is: shown as it stands. Eight
// bytes a step; a borrow or carry that spills into the next byte comes from a byte that is no
// printable ASCII itself, so the answer is exact.
bool IsPrintableAscii(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    std::uint64_t all = 0;
    if (text.size() >= 8) {
        const auto word = [](const char* p) {
            std::uint64_t w;
            std::memcpy(&w, p, sizeof w);
            return w;
        };
        for (std::size_t i = 0; i + 8 < text.size(); i += 8) {
            all |= OutsidePrintable(word(text.data() + i), kOnes);
        }
        // The last eight bytes, overlapping the step before.
        all |= OutsidePrintable(word(text.data() + text.size() - 8), kOnes);
    } else {
        for (const char c : text) {
            all |= OutsidePrintable(static_cast<unsigned char>(c), 1);
        }
    }
    return (all & kOnes * 0x80) == 0;
}

char* Put(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

char* PutCaret(char* out, char32_t control) {
    if (control >= 0x80) out = Put(out, "M-");
    *out++ = '^';
    *out++ = static_cast<char>((control & 0x7F) ^ 0x40);
    return out;
}

void AppendHexEscape(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

// Whether text, UTF-8 or Windows-1252 (which agree on ASCII), goes in quotes as a CSV field.
bool NeedsCsvQuotes(std::string_view text) {
    for (const char c : text) {
        if (c == '"' || c == ',' || c == ';' || c == '\t' || c == '\r' || c == '\n') return true;
    }
    return !text.empty() && (text.front() == ' ' || text.back() == ' ');
}

}  // namespace

char* PutVisible(char* out, std::string_view utf8) {
    if (IsPrintableAscii(utf8)) return Put(out, utf8);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out = PutCaret(out, byte);
        } else if (IsC1Control(utf8, i)) {
            out = PutCaret(out, static_cast<unsigned char>(utf8[++i]));
        } else {
            *out++ = utf8[i];
        }
    }
    return out;
}

char* PutVisibleCp1252(char* out, std::string_view cp1252) {
    if (IsPrintableAscii(cp1252)) return Put(out, cp1252);
    for (const char c : cp1252) {
        if (c >= 0x20 && c < 0x7F) {
            *out++ = c;
            continue;
        }
        const char32_t code = Cp1252ToCodePoint(static_cast<unsigned char>(c));
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        out = control ? PutCaret(out, code) : PutUtf8(out, code);
    }
    return out;
}

void AppendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                continue;
            case '\\':
                out += "\\\\";
                continue;
            case '\n':
                out += "\\n";
                continue;
            case '\r':
                out += "\\r";
                continue;
            case '\t':
                out += "\\t";
                continue;
            default:
                break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            AppendHexEscape(out, byte);
        } else if (IsC1Control(utf8, i)) {
            AppendHexEscape(out, static_cast<unsigned char>(utf8[++i]));
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendCsvField(std::string& out, std::string_view utf8) {
    if (!NeedsCsvQuotes(utf8)) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

char* PutCsvFieldCp1252(char* out, std::string_view cp1252) {
    const bool quoted = NeedsCsvQuotes(cp1252);
    if (!quoted && IsPrintableAscii(cp1252)) return Put(out, cp1252);
    if (quoted) *out++ = '"';
    for (const char c : cp1252) {
        if (c == '"') *out++ = '"';
        out = PutUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    if (quoted) *out++ = '"';
    return out;
}

}  // namespace korva
