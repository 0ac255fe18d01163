#include "cli/explain.hpp"

#include "cli/output.hpp"
#include "counters/cp1252.hpp"
#include "counters/report_lines.hpp"
#include "counters/text_ops.hpp"

namespace korva::cli {

namespace {

struct CounterWords {
    LineAdditions (*additions)(std::string_view line);
    std::string_view json_key;
    std::string_view unreadable;  // after an addition whose number did not convert
};

constexpr CounterWords kSaboWords = {SaboLineAdditions, "count", " (Anzahl nicht lesbar)"};
constexpr CounterWords kPluenWords = {PluenLineAdditions, "amount", " (Betrag nicht lesbar)"};

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

// A file name comes as the bytes the user typed: kept when it is UTF-8, else read as
// Windows-1252, as a line is in the auto mode.
std::string FileNameUtf8(std::string_view name) {
    return IsValidUtf8(name) ? std::string(name) : Cp1252ToUtf8(name);
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

}  // namespace

std::string ExplainedText(Counter counter, const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    std::string out;
    AppendVisible(out, FileNameUtf8(line.file));
    out += ':' + IntToText(static_cast<std::int64_t>(line.number)) + ": ";
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) out += ", ";
        out += Cp1252ToUtf8(addition.name) + ' ' + SignedText(addition.amount);
        if (addition.unreadable) out += words.unreadable;
    }
    out += " | ";
    AppendVisible(out, ShownUtf8(line.cp1252_line));
    out += '\n';
    return out;
}

std::string ExplainedJson(Counter counter, const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    std::string out = R"({"file":)";
    AppendJsonString(out, FileNameUtf8(line.file));
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

void Explanation::StartFile(std::string_view name) {
    file_ = name;
    line_number_ = 0;
}

void Explanation::AddText(std::string_view text, LineDecoder decode) {
    const CounterWords& words = WordsOf(counter_);
    ForEachLine(text, [&](std::string_view raw) {
        ++line_number_;
        const std::string_view line = decode(raw);
        LineAdditions additions = words.additions(line);
        if (additions.empty()) return;
        const ExplainedLine explained = {file_, line_number_, std::move(additions), line};
        if (format_ == OutputFormat::kJson) {
            if (any_) spool_.Append(",");
            spool_.Append(ExplainedJson(counter_, explained));
        } else {
            spool_.Append(ExplainedText(counter_, explained));
        }
        any_ = true;
    });
}

int Explanation::WriteWithResult(ByteSink write, std::string_view result) {
    if (format_ != OutputFormat::kJson) {
        if (const int error = spool_.CopyTo(write)) return error;
        return write(result);
    }
    // The result is one object ending in "}" and LF; the explanation goes in as its last member.
    const std::size_t close = result.rfind('}');
    if (const int error = write(result.substr(0, close))) return error;
    if (const int error = write(R"(,"explain":[)")) return error;
    if (const int error = spool_.CopyTo(write)) return error;
    if (const int error = write("]")) return error;
    return write(result.substr(close));
}

}  // namespace korva::cli
