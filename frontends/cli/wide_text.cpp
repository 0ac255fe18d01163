#include "frontends/cli/wide_text.hpp"

#include "counters/text/utf8.hpp"

namespace korva::cli {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHigh(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLow(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        out.push_back(static_cast<char16_t>(0xD800 | (code - 0x10000) >> 10));
        out.push_back(static_cast<char16_t>(0xDC00 | ((code - 0x10000) & 0x3FF)));
    }
}

// The length of the sequence a lead byte opens, its smallest code and the bits the lead carries.
struct Lead {
    std::size_t length;
    char32_t minimum;
    char32_t bits;
};

Lead LeadOf(unsigned char byte) {
    if (byte < 0x80) return {1, 0, byte};
    if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, byte & 0x1Fu};
    if (byte >= 0xE0 && byte <= 0xEF) return {3, 0x800, byte & 0x0Fu};
    if (byte >= 0xF0 && byte <= 0xF4) return {4, 0x10000, byte & 0x07u};
    return {0, 0, 0};
}

}  // namespace

std::string Utf8FromWide(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = wide[i];
        if (IsHigh(unit) && i + 1 < wide.size() && IsLow(wide[i + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00u));
            ++i;
        } else {
            AppendUtf8(out, unit);  // a lone surrogate as the three bytes of its own value
        }
    }
    return out;
}

std::u16string WideFromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Lead lead = LeadOf(static_cast<unsigned char>(utf8[i]));
        char32_t code = lead.bits;
        bool valid = lead.length > 0 && i + lead.length <= utf8.size();
        for (std::size_t k = 1; valid && k < lead.length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3Fu);
        }
        valid = valid && code >= lead.minimum && code <= 0x10FFFF;
        if (!valid) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        AppendUtf16(out, code);
        i += lead.length;
    }
    return out;
}

}  // namespace korva::cli
