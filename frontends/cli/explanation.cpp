#include "frontends/cli/explanation.hpp"

#include <charconv>

#include "counters/text/cp1252.hpp"
#include "counters/text/text_ops.hpp"

namespace korva::cli {

namespace {

// A file name comes as the bytes the user typed: kept when it is UTF-8, else read as
// Windows-1252, as a line is in the auto mode.
std::string FileNameUtf8(std::string_view name) {
    return IsValidUtf8(name) ? std::string(name) : Cp1252ToUtf8(name);
}

}  // namespace

std::string ExplainedText(Counter counter, std::string_view file, const ExplainedLine& line) {
    std::string out;
    AppendExplainedRow(out, counter,
                       FileNameUtf8(file) + ':' + IntToText(static_cast<std::int64_t>(line.number)),
                       line);
    return out + '\n';
}

std::string ExplainedFileJson(Counter counter, std::string_view file, const ExplainedLine& line) {
    return ExplainedJson(counter, FileNameUtf8(file), line);
}

std::string ExplainedFileCsv(Counter counter, std::string_view file, const ExplainedLine& line) {
    std::string out;
    AppendExplainedCsv(out, counter, FileNameUtf8(file), line);
    return out;
}

void Explanation::StartFile(std::string_view name) {
    file_ = FileNameUtf8(name);
    place_ = file_ + ':';
    line_count_ = 0;
}

void Explanation::Add(const ExplainedLine& line) {
    // Rows are made by the hundred thousand: into the one buffer, without a text of their own.
    row_.clear();
    switch (format_) {
        case OutputFormat::kJson:
            if (any_) row_ += ',';
            AppendExplainedJson(row_, counter_, file_, line);
            break;
        case OutputFormat::kCsv:
            if (!any_) row_ += CsvHeader();
            AppendExplainedCsv(row_, counter_, file_, line);
            break;
        case OutputFormat::kText:
        case OutputFormat::kRaw: {
            const std::size_t file_part = place_.size();
            char number[20];
            place_.append(number, std::to_chars(number, number + sizeof number, line.number).ptr);
            AppendExplainedRow(row_, counter_, place_, line);
            place_.resize(file_part);
            row_ += '\n';
            break;
        }
    }
    spool_.Append(row_);
    any_ = true;
}

int Explanation::WriteWithResult(ByteSink write, std::string_view result) {
    if (format_ == OutputFormat::kCsv) {
        // The records alone, so that the file opens as a table; the header even without any.
        if (!any_) return write(CsvHeader());
        return spool_.CopyTo(write);
    }
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
