#include "counters/explain.hpp"

#include "counters/building_scan.hpp"
#include "counters/cp1252.hpp"
#include "counters/report_lines.hpp"
#include "counters/tables.hpp"
#include "counters/text_ops.hpp"

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

std::string SignedText(Tally amount) {
    std::string text = amount < 0 ? "" : "+";
    text += IntToText(amount);
    return text;
}

bool IsCut(std::string_view cp1252_line) {
    return cp1252_line.size() > kShownCharacters;
}

// The line's first characters in UTF-8, and "…" where it goes on. One byte is one character in
// Windows-1252, so the cut never splits one.
std::string ShownUtf8(std::string_view cp1252_line) {
    std::string shown = Cp1252ToUtf8(cp1252_line.substr(0, kShownCharacters));
    if (IsCut(cp1252_line)) shown += kEllipsis;
    return shown;
}

// Line breaks in text[from, to), where to is the start of a line or the text's end: each LF, and
// each CR but the one of a CR LF. Three counts the compiler vectorises, not a branch per byte.
std::uint64_t BreaksBetween(std::string_view text, std::size_t from, std::size_t to) {
    std::uint64_t lf = 0;
    std::uint64_t cr = 0;
    std::uint64_t cr_lf = 0;
    for (std::size_t i = from; i < to; ++i) {
        lf += text[i] == '\n';
        cr += text[i] == '\r';
    }
    for (std::size_t i = from; i + 1 < to; ++i) cr_lf += (text[i] == '\r') & (text[i + 1] == '\n');
    return lf + cr - cr_lf;
}

std::uint64_t LinesIn(std::string_view text) {
    const std::uint64_t breaks = BreaksBetween(text, 0, text.size());
    const bool open_end = !text.empty() && text.back() != '\r' && text.back() != '\n';
    return breaks + (open_end ? 1 : 0);
}

// The sabotage count's scan finds the lines that may name a building; each is numbered by the
// breaks since the last one found.
void ForEachSaboLine(std::string_view text, LineDecoder decode, std::uint64_t lines_before,
                     ExplainedLineVisitor on_line) {
    std::size_t at = 0;  // where the line numbered number starts
    std::uint64_t number = lines_before + 1;
    ForEachLineNamingBuildings(text, [&](const NamedLine& found) {
        const auto start = static_cast<std::size_t>(found.line.data() - text.data());
        number += BreaksBetween(text, at, start);
        at = start;
        const std::string_view line = found.ascii ? found.line : decode(found.line);
        LineAdditions additions = SaboLineAdditions(line);
        if (!additions.empty()) on_line({number, std::move(additions), line});
    });
}

// A plunder line can add only where a keyword opens it, after blanks for the rows that add 0
// (PluenLineAdditions); keywords are ASCII, the same before decoding and after.
bool MayOpenWithKeyword(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= 0x20) ++start;
    if (start == line.size()) return false;
    for (const Resource& resource : ResourceTable) {
        if (line[start] == resource.keyword[0]) return true;
    }
    return false;
}

void ForEachPluenLine(std::string_view text, LineDecoder decode, std::uint64_t lines_before,
                      ExplainedLineVisitor on_line) {
    std::uint64_t number = lines_before;
    ForEachLine(text, [&](std::string_view raw) {
        ++number;
        if (!MayOpenWithKeyword(raw)) return;
        const std::string_view line = decode(raw);
        LineAdditions additions = PluenLineAdditions(line);
        if (!additions.empty()) on_line({number, std::move(additions), line});
    });
}

}  // namespace

std::string ExplainedRow(Counter counter, std::string_view place, const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    std::string out;
    AppendVisible(out, place);
    out += ": ";
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) out += ", ";
        out += Cp1252ToUtf8(addition.name) + ' ' + SignedText(addition.amount);
        if (addition.unreadable) out += words.unreadable;
    }
    out += " | ";
    AppendVisible(out, ShownUtf8(line.cp1252_line));
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
    if (counter == Counter::kSabo) {
        ForEachSaboLine(text, decode, lines_before, on_line);
    } else {
        ForEachPluenLine(text, decode, lines_before, on_line);
    }
    return lines_before + LinesIn(text);
}

}  // namespace korva
