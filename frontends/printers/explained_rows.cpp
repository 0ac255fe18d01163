#include "frontends/printers/explained_rows.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "counters/tables/tables.hpp"
#include "counters/text/cp1252.hpp"
#include "counters/text/utf8.hpp"
#include "frontends/printers/decimal.hpp"
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

// "+3", or "-3": the sign and the digits, with room for PutDecimal.
constexpr std::size_t kMostSignedBytes = 1 + kMostDecimalBytes;

char* PutInteger(char* out, Tally amount) {
    // The magnitude as unsigned, where the most negative one has room.
    const auto magnitude = static_cast<std::uint64_t>(amount);
    if (amount >= 0) return PutDecimal(out, magnitude);
    *out++ = '-';
    return PutDecimal(out, 0 - magnitude);
}

char* PutSigned(char* out, Tally amount) {
    if (amount >= 0) *out++ = '+';
    return PutInteger(out, amount);
}

// A line's number: at most 20 digits.
constexpr std::size_t kMostNumberBytes = kMostDecimalBytes;

// "sabo" or "pluen".
constexpr std::size_t kMostCounterNameBytes = 5;

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

RowPrinter::RowPrinter(Counter counter, std::string_view utf8_prefix)
    : counter_(counter), prefix_(2 * utf8_prefix.size(), '\0') {
    prefix_.resize(
        static_cast<std::size_t>(PutVisible(prefix_.data(), utf8_prefix) - prefix_.data()));
}

// Each row is written in place, into room for its longest form, rather than piece by piece.
std::size_t RowPrinter::MostBytes(const ExplainedLine& line) const {
    constexpr std::size_t kMostUnreadable =
        std::max(kSaboWords.unreadable.size(), kPluenWords.unreadable.size());
    std::size_t most = prefix_.size() + kMostNumberBytes + 2 + 3 +
                       kMostVisibleBytes * std::min(line.cp1252_line.size(), kShownCharacters) +
                       kEllipsis.size();
    for (const LineAddition& addition : line.additions) {
        most +=
            2 + kMostVisibleBytes * addition.name.size() + 1 + kMostSignedBytes + kMostUnreadable;
    }
    return most;
}

char* RowPrinter::Put(char* out, const ExplainedLine& line) const {
    const CounterWords& words = WordsOf(counter_);
    char* p = korva::Put(out, prefix_);
    p = PutDecimal(p, line.number);
    p = korva::Put(p, ": ");
    for (std::size_t i = 0; i < line.additions.size(); ++i) {
        const LineAddition& addition = line.additions[i];
        if (i > 0) p = korva::Put(p, ", ");
        p = PutVisibleCp1252(p, addition.name);
        *p++ = ' ';
        p = PutSigned(p, addition.amount);
        if (addition.unreadable) p = korva::Put(p, words.unreadable);
    }
    p = korva::Put(p, " | ");
    p = PutVisibleCp1252(p, line.cp1252_line.substr(0, kShownCharacters));
    if (IsCut(line.cp1252_line)) p = korva::Put(p, kEllipsis);
    return p;
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

CsvPrinter::CsvPrinter(Counter counter, std::string_view utf8_file, char separator)
    : counter_(counter), separator_(separator) {
    AppendCsvField(file_, utf8_file);
}

std::size_t CsvPrinter::MostBytes(const ExplainedLine& line) const {
    std::size_t most = 0;
    for (const LineAddition& addition : line.additions) {
        most += file_.size() + 1 + kMostNumberBytes + 1 + kMostCounterNameBytes + 1 +
                kMostCsvBytes * addition.name.size() + 2 + 1 + kMostSignedBytes + 1 +
                kMostCsvBytes * line.cp1252_line.size() + 2 + 2;
    }
    return most;
}

char* CsvPrinter::Put(char* out, const ExplainedLine& line) const {
    // The line's field is made once, in the first record, and copied into the others.
    const char* text = nullptr;
    std::size_t text_size = 0;
    for (const LineAddition& addition : line.additions) {
        out = korva::Put(out, file_);
        *out++ = separator_;
        out = PutDecimal(out, line.number);
        *out++ = separator_;
        out = korva::Put(out, CounterName(counter_));
        *out++ = separator_;
        out = PutCsvFieldCp1252(out, addition.name);
        *out++ = separator_;
        out = PutInteger(out, addition.amount);
        *out++ = separator_;
        if (text == nullptr) {
            char* const start = out;
            out = PutCsvFieldCp1252(out, line.cp1252_line);
            text = start;
            text_size = static_cast<std::size_t>(out - start);
        } else {
            out = std::copy(text, text + text_size, out);
        }
        out = korva::Put(out, "\r\n");
    }
    return out;
}

}  // namespace korva
