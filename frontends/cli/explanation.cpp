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
    const RowPrinter printer(counter, FileNameUtf8(file) + ':');
    std::string out(printer.MostBytes(line) + 1, '\0');
    char* const end = printer.Put(out.data(), line);
    *end = '\n';
    out.resize(static_cast<std::size_t>(end + 1 - out.data()));
    return out;
}

std::string ExplainedFileJson(Counter counter, std::string_view file, const ExplainedLine& line) {
    return ExplainedJson(counter, FileNameUtf8(file), line);
}

std::string ExplainedFileCsv(Counter counter, std::string_view file, const ExplainedLine& line) {
    const CsvPrinter printer(counter, FileNameUtf8(file));
    std::string out(printer.MostBytes(line), '\0');
    out.resize(static_cast<std::size_t>(printer.Put(out.data(), line) - out.data()));
    return out;
}

Explanation::Explanation(Counter counter, OutputFormat format, ByteSink output)
    : counter_(counter),
      format_(format),
      passes_(format != OutputFormat::kJson),
      spool_(passes_ ? Spool(output, Spool::kPieceBytes) : Spool()) {}

void Explanation::StartFile(std::string_view name) {
    file_ = FileNameUtf8(name);
    if (format_ == OutputFormat::kCsv) {
        records_.emplace(counter_, file_);
    } else {
        rows_.emplace(counter_, file_ + ':');
    }
    line_count_ = 0;
}

void Explanation::Add(const ExplainedLine& line) {
    // Rows are made by the hundred thousand: written in place, without a text of their own.
    switch (format_) {
        case OutputFormat::kJson:
            row_.clear();
            if (any_) row_ += ',';
            AppendExplainedJson(row_, counter_, file_, line);
            spool_.Append(row_);
            break;
        case OutputFormat::kCsv:
            if (!any_) spool_.Append(CsvHeader());
            spool_.Take(records_->Put(spool_.Room(records_->MostBytes(line)), line));
            break;
        case OutputFormat::kText:
        case OutputFormat::kRaw: {
            char* const end = rows_->Put(spool_.Room(rows_->MostBytes(line) + 1), line);
            *end = '\n';
            spool_.Take(end + 1);
            break;
        }
    }
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
