#include "frontends/cli/explanation.hpp"

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
    const std::string place =
        FileNameUtf8(file) + ':' + IntToText(static_cast<std::int64_t>(line.number));
    return ExplainedRow(counter, place, line) + '\n';
}

std::string ExplainedFileJson(Counter counter, std::string_view file, const ExplainedLine& line) {
    return ExplainedJson(counter, FileNameUtf8(file), line);
}

void Explanation::StartFile(std::string_view name) {
    file_ = name;
    line_count_ = 0;
}

void Explanation::Add(const ExplainedLine& line) {
    if (format_ == OutputFormat::kJson) {
        if (any_) spool_.Append(",");
        spool_.Append(ExplainedFileJson(counter_, file_, line));
    } else {
        spool_.Append(ExplainedText(counter_, file_, line));
    }
    any_ = true;
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
