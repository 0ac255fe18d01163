#include "counters/scans/explain.hpp"

#include <algorithm>
#include <charconv>

#include "counters/scans/building_scan.hpp"
#include "counters/scans/fingerprint_scan.hpp"
#include "counters/tables/tables.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/line_breaks.hpp"
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

// utf8 with every control character in caret notation, as cat -v shows it: "^I" for a tab, "^["
// for escape, "^?" for DEL, "M-^A" for the C1 control U+0081. Plain ASCII, which every console
// font has, and nothing a terminal would act on.
void AppendVisible(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += '^';
            out += static_cast<char>(byte ^ 0x40);
        } else if (IsC1Control(utf8, i)) {
            out += "M-^";
            out += static_cast<char>((static_cast<unsigned char>(utf8[++i]) - 0x80) ^ 0x40);
        } else {
            out += utf8[i];
        }
    }
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

void AppendSigned(std::string& out, Tally amount) {
    char digits[24];
    digits[0] = '+';
    const auto end = std::to_chars(digits + 1, digits + sizeof digits, amount).ptr;
    // A negative number brings its own sign.
    out.append(amount < 0 ? digits + 1 : digits, end);
}

bool IsCut(std::string_view cp1252_line) {
    return cp1252_line.size() > kShownCharacters;
}

// Windows-1252 text in UTF-8 with every control character in caret notation, as AppendVisible
// would show its UTF-8 form, in one pass: rows are made by the hundred thousand.
void AppendVisibleCp1252(std::string& out, std::string_view cp1252) {
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        // Printable ASCII, most of every report, goes in whole runs.
        std::size_t run = i;
        while (run < cp1252.size() && cp1252[run] >= 0x20 && cp1252[run] < 0x7F) ++run;
        out.append(cp1252.data() + i, run - i);
        if (run == cp1252.size()) break;
        i = run;
        const auto byte = static_cast<unsigned char>(cp1252[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += '^';
            out += static_cast<char>(byte ^ 0x40);
        } else if (const char32_t code = Cp1252ToCodePoint(byte); code <= 0x9F) {
            out += "M-^";
            out += static_cast<char>((code - 0x80) ^ 0x40);
        } else {
            AppendUtf8(out, code);
        }
    }
}

// The line's first characters in UTF-8, and "…" where it goes on. One byte is one character in
// Windows-1252, so the cut never splits one.
std::string ShownUtf8(std::string_view cp1252_line) {
    std::string shown = Cp1252ToUtf8(cp1252_line.substr(0, kShownCharacters));
    if (IsCut(cp1252_line)) shown += kEllipsis;
    return shown;
}

// The number of text's last line, from the line starting at at, numbered number.
std::uint64_t LastNumber(std::string_view text, std::size_t at, std::uint64_t number) {
    const std::uint64_t total = number + BreaksBetween(text, at, text.size());
    const bool open_end = text.back() != '\r' && text.back() != '\n';
    return open_end ? total : total - 1;
}

// The sabotage count's scan finds the lines that may name a building; each is numbered by the
// breaks since the last one found. Returns the number of the text's last line.
std::uint64_t ForEachSaboLine(std::string_view text, LineDecoder decode, std::uint64_t lines_before,
                              ExplainedLineVisitor on_line) {
    if (text.empty()) return lines_before;
    std::size_t at = 0;  // where the line numbered number starts
    std::uint64_t number = lines_before + 1;
    ForEachLineNamingBuildings(text, [&](const NamedLine& found) {
        const auto start = static_cast<std::size_t>(found.line.data() - text.data());
        number += BreaksBetween(text, at, start);
        at = start;
        // The scan lets through a few lines that only look alike; where it tells for sure that
        // the line names none, the names are not looked for again.
        const bool as_found = found.ascii && !found.marks.nul;
        if (as_found && found.named == 0) return;
        const std::string_view line = found.ascii ? found.line : decode(found.line);
        LineAdditions additions =
            as_found ? SaboLineAdditions(line, found.named) : SaboLineAdditions(line);
        if (!additions.empty()) on_line({number, std::move(additions), line});
    });
    return LastNumber(text, at, number);
}

// A plunder line adds to a row only where the row's keyword opens it, after blanks for the rows
// that add 0 (PluenLineAdditions); keywords are ASCII, the same before decoding and after. Looks
// no further than the keyword, so that the many lines that do not are passed over quickly.
bool MayOpenWithKeyword(std::string_view text, std::size_t begin) {
    while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= 0x20 &&
           text[begin] != '\r' && text[begin] != '\n') {
        ++begin;
    }
    const std::string_view rest = text.substr(begin);
    for (const Resource& resource : ResourceTable) {
        if (rest.starts_with(resource.keyword)) return true;
    }
    return false;
}

// A line break followed by a keyword's first two letters, or by a blank (a byte up to 0x20 but
// a break) and anything: where a line that may open with a keyword starts. Blanks take three
// buckets, each exact in nibbles, so that the LF of a CR LF is no blank.
constexpr Fingerprints kKeywordLinePrints = [] {
    Fingerprints prints;
    char every[256] = {};
    for (int c = 0; c < 256; ++c) every[c] = static_cast<char>(c);
    const std::string_view any_byte(every, sizeof every);
    for (const Resource& resource : ResourceTable) {
        prints.Add(0, "\r\n", resource.keyword.substr(0, 1), resource.keyword.substr(1, 1));
    }
    prints.Add(1, "\r\n", any_byte.substr(0x00, 0x0A), any_byte);
    prints.Add(2, "\r\n", "\x0B\x0C\x0E\x0F", any_byte);
    prints.Add(3, "\r\n", any_byte.substr(0x10, 0x11), any_byte);
    return prints;
}();

// Lines are found by their starts and numbered by the breaks since the last one found. Returns
// the number of the text's last line.
std::uint64_t ForEachPluenLine(std::string_view text, LineDecoder decode,
                               std::uint64_t lines_before, ExplainedLineVisitor on_line) {
    if (text.empty()) return lines_before;
    std::size_t at = 0;  // where the line numbered number starts
    std::uint64_t number = lines_before + 1;
    const auto visit = [&](std::size_t begin) {
        if (!MayOpenWithKeyword(text, begin)) return;
        std::size_t end = begin;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view raw = text.substr(begin, end - begin);
        number += BreaksBetween(text, at, begin);
        at = begin;
        const std::string_view line = decode(raw);
        LineAdditions additions = PluenLineAdditions(line);
        if (!additions.empty()) on_line({number, std::move(additions), line});
    };
    // The first line has no break before it.
    visit(0);
    for (std::size_t from = 0;;) {
        const FingerprintBlock block = NextFingerprintBlock(text, from, kKeywordLinePrints);
        if (block.hits == 0) break;
        for (std::uint32_t hits = block.hits; hits; hits &= hits - 1) {
            visit(block.base + static_cast<std::size_t>(__builtin_ctz(hits)) + 1);
        }
        from = block.base + 32;
    }
    return LastNumber(text, at, number);
}

}  // namespace

void AppendExplainedRow(std::string& out, Counter counter, std::string_view place,
                        const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    AppendVisible(out, place);
    out += ": ";
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) out += ", ";
        AppendVisibleCp1252(out, addition.name);
        out += ' ';
        AppendSigned(out, addition.amount);
        if (addition.unreadable) out += words.unreadable;
    }
    out += " | ";
    AppendVisibleCp1252(out, line.cp1252_line.substr(0, kShownCharacters));
    if (IsCut(line.cp1252_line)) out += kEllipsis;
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
    return counter == Counter::kSabo ? ForEachSaboLine(text, decode, lines_before, on_line)
                                     : ForEachPluenLine(text, decode, lines_before, on_line);
}

}  // namespace korva
