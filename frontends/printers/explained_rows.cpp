#include "frontends/printers/explained_rows.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "counters/tables/tables.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/utf8.hpp"
#include "frontends/printers/escapes.hpp"

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

char* Put(char* out, std::string_view text) {
    return std::copy(text.begin(), text.end(), out);
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

// The line's first characters in UTF-8, and "…" where it goes on. One byte is one character in
// Windows-1252, so the cut never splits one.
std::string ShownUtf8(std::string_view cp1252_line) {
    std::string shown = Cp1252ToUtf8(cp1252_line.substr(0, kShownCharacters));
    if (IsCut(cp1252_line)) shown += kEllipsis;
    return shown;
}

}  // namespace

// Rows are made by the hundred thousand: each is written in place, into room for its longest
// form (on the stack where that is small, as nearly always), rather than piece by piece.
void AppendExplainedRow(std::string& out, Counter counter, std::string_view place,
                        const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    const std::string_view shown = line.cp1252_line.substr(0, kShownCharacters);
    std::size_t most =
        2 * place.size() + 2 + 3 + kMostVisibleBytes * shown.size() + kEllipsis.size();
    for (const LineAddition& addition : line.additions) {
        most += 2 + kMostVisibleBytes * addition.name.size() + 1 + kMostSignedBytes +
                words.unreadable.size();
    }
    char small[2048];
    const std::size_t before = out.size();
    if (most > sizeof small) out.resize(before + most);
    char* const start = most > sizeof small ? out.data() + before : small;
    char* p = PutVisible(start, place);
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
    if (start == small) {
        out.append(small, p);
    } else {
        out.resize(static_cast<std::size_t>(p - out.data()));
    }
}

std::string ExplainedRow(Counter counter, std::string_view place, const ExplainedLine& line) {
    std::string out;
    AppendExplainedRow(out, counter, place, line);
    return out;
}

void AppendExplainedJson(std::string& out, Counter counter, std::string_view file,
                         const ExplainedLine& line) {
    const CounterWords& words = WordsOf(counter);
    char number[kMostSignedBytes];
    const auto put_number = [&](Tally value) {
        out.append(number, std::to_chars(number, number + sizeof number, value).ptr);
    };
    out += R"({"file":)";
    AppendJsonString(out, file);
    out += R"(,"line":)";
    put_number(static_cast<Tally>(line.number));
    out += R"(,"added":[)";
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) out += ',';
        out += R"({"name":)";
        AppendJsonString(out, Cp1252ToUtf8(addition.name));
        out += ",\"";
        out += words.json_key;
        out += "\":";
        put_number(addition.amount);
        out += addition.unreadable ? R"(,"readable":false})" : R"(,"readable":true})";
    }
    out += R"(],"text":)";
    AppendJsonString(out, ShownUtf8(line.cp1252_line));
    out += IsCut(line.cp1252_line) ? R"(,"cut":true})" : R"(,"cut":false})";
}

std::string ExplainedJson(Counter counter, std::string_view file, const ExplainedLine& line) {
    std::string out;
    AppendExplainedJson(out, counter, file, line);
    return out;
}

std::string CsvHeader(char separator) {
    std::string header = "Datei,Zeile,Z\xC3\xA4hler,Posten,Menge,Zeilentext\r\n";
    std::replace(header.begin(), header.end(), ',', separator);
    return header;
}

void AppendExplainedCsv(std::string& out, Counter counter, std::string_view file,
                        const ExplainedLine& line, char separator) {
    const std::string text = Cp1252ToUtf8(line.cp1252_line);
    char number[kMostSignedBytes];
    for (const LineAddition& addition : line.additions) {
        AppendCsvField(out, file);
        out += separator;
        out.append(number, std::to_chars(number, number + sizeof number, line.number).ptr);
        out += separator;
        out += CounterName(counter);
        out += separator;
        AppendCsvField(out, Cp1252ToUtf8(addition.name));
        out += separator;
        out.append(number, std::to_chars(number, number + sizeof number, addition.amount).ptr);
        out += separator;
        AppendCsvField(out, text);
        out += "\r\n";
    }
}

}  // namespace korva
