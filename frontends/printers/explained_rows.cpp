#include "counters/scans/explain.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "counters/tables/tables.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/report_lines.hpp"
#include "counters/text/text_ops.hpp"
#include "counters/text/utf8.hpp"

namespace korva {

namespace {

struct CounterWords {
    std::string_view json_key;
    std::string_view unreadable;  // after an addition whose number did not convert
};

constexpr CounterWords kSaboWords = {"count", " (Anzahl nicht lesbar)"};
constexpr CounterWords kPluenWords = {"amount", " (Betrag nicht lesbar)"};

const CounterWords& WordsOf(Counter counter) {
    return counter == Counter::kSabo ? kSaboWords : kPluenWords;
}

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // "…"

// In UTF-8 the C1 controls U+0080 to U+009F are C2 80 to C2 9F.
bool IsC1Control(std::string_view utf8, std::size_t i) {
    return static_cast<unsigned char>(utf8[i]) == 0xC2 && i + 1 < utf8.size() &&
           static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
}

// Whether text is printable ASCII alone (0x20 to 0x7E), as nearly every report is: shown as it
// stands. Eight bytes a step: a byte below 0x20 borrows into its top bit, and one from 0x7F on
// sets it when 1 is added (0xFF, which carries instead, borrows); a borrow or carry that spills
// into the next byte comes from a byte that is no printable ASCII itself, so the answer is exact.
bool IsPrintableAscii(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    const auto tops = [](const char* p) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        return (word - kOnes * 0x20) | (word + kOnes);
    };
    std::uint64_t all = 0;
    if (text.size() >= 8) {
        for (std::size_t i = 0; i + 8 < text.size(); i += 8) all |= tops(text.data() + i);
        // The last eight bytes, overlapping the step before.
        all |= tops(text.data() + text.size() - 8);
    } else {
        for (const char c : text) {
            const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(c));
            all |= (byte - 0x20) | (byte + 1);
        }
    }
    return (all & kOnes * 0x80) == 0;
}

char* Put(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
}

// A control character in caret notation, as cat -v shows it: "^I" for a tab, "^[" for escape,
// "^?" for DEL; a C1 control (0x80 to 0x9F) as "M-^A" for U+0081. Plain ASCII, which every
// console font has, and nothing a terminal would act on.
char* PutCaret(char* out, char32_t control) {
    if (control >= 0x80) out = Put(out, "M-");
    *out++ = '^';
    *out++ = static_cast<char>((control & 0x7F) ^ 0x40);
    return out;
}

// utf8 with every control character in caret notation; at most two bytes for each.
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

void AppendHexEscape(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

// utf8 as a JSON string, quotes included. Besides what JSON demands, DEL and the C1 controls are
// escaped too, so the output holds no control character at all.
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

// "+3", or "-3": the sign and at most 19 digits.
constexpr std::size_t kMostSignedBytes = 20;

char* PutSigned(char* out, Tally amount) {
    // A negative number brings its own sign.
    if (amount >= 0) *out++ = '+';
    return std::to_chars(out, out + kMostSignedBytes, amount).ptr;
}

bool IsCut(std::string_view cp1252_line) {
    return cp1252_line.size() > kShownCharacters;
}

// Windows-1252 text in UTF-8 with every control character in caret notation, as PutVisible would
// show its UTF-8 form, in one pass; at most kMostUtf8Bytes for each byte ("M-^A").
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

// The line's first characters in UTF-8, and "…" where it goes on. One byte is one character in
// Windows-1252, so the cut never splits one.
std::string ShownUtf8(std::string_view cp1252_line) {
    std::string shown = Cp1252ToUtf8(cp1252_line.substr(0, kShownCharacters));
    if (IsCut(cp1252_line)) shown += kEllipsis;
    return shown;
}

}  // namespace

// Rows are made by the hundred thousand: each is written in place, into room for its longest
// form, rather than piece by piece.
void AppendExplainedRow(std::string& out, Counter counter, std::string_view place,
                        const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    const std::string_view shown = line.cp1252_line.substr(0, kShownCharacters);
    std::size_t most = 2 * place.size() + 2 + 3 + kMostUtf8Bytes * shown.size() + kEllipsis.size();
    for (const LineAddition& addition : line.additions) {
        most += 2 + kMostUtf8Bytes * addition.name.size() + 1 + kMostSignedBytes +
                words.unreadable.size();
    }
    const std::size_t before = out.size();
    out.resize(before + most);
    char* p = PutVisible(out.data() + before, place);
    p = Put(p, ": ");
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) p = Put(p, ", ");
        p = PutVisibleCp1252(p, addition.name);
        *p++ = ' ';
        p = PutSigned(p, addition.amount);
        if (addition.unreadable) p = Put(p, words.unreadable);
    }
    p = Put(p, " | ");
    p = PutVisibleCp1252(p, shown);
    if (IsCut(line.cp1252_line)) p = Put(p, kEllipsis);
    out.resize(static_cast<std::size_t>(p - out.data()));
}

std::string ExplainedRow(Counter counter, std::string_view place, const ExplainedLine& line) {
    std::string out;
    AppendExplainedRow(out, counter, place, line);
    return out;
}

std::string ExplainedJson(Counter counter, std::string_view file, const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    std::string out = R"({"file":)";
    AppendJsonString(out, file);
    out += R"(,"line":)" + IntToText(static_cast<std::int64_t>(line.number)) + R"(,"added":[)";
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) out += ',';
        out += R"({"name":)";
        AppendJsonString(out, Cp1252ToUtf8(addition.name));
        out += ",\"" + std::string(words.json_key) + "\":" + IntToText(addition.amount);
        out += addition.unreadable ? R"(,"readable":false})" : R"(,"readable":true})";
    }
    out += R"(],"text":)";
    AppendJsonString(out, ShownUtf8(line.cp1252_line));
    out += IsCut(line.cp1252_line) ? R"(,"cut":true})" : R"(,"cut":false})";
    return out;
}

std::uint64_t ForEachExplainedLine(Counter counter, std::string_view text, LineDecoder decode,
                                   std::uint64_t lines_before, ExplainedLineVisitor on_line) {
    ExplanationSink sink(text, lines_before, on_line);
    if (counter == Counter::kSabo) {
        ScanSabo(text, decode, sink);
    } else {
        ScanPluen(text, decode, sink);
    }
    return sink.LastLine();
}

}  // namespace korva
