// The command line: korva-count sabo|pluen [--encoding auto|utf-8|cp1252] [--raw | --json | --csv]
// [--explain] [FILE...]
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "counters/tables/counter.hpp"
#include "frontends/cli/input.hpp"

namespace korva::cli {

using korva::Counter;

enum class OutputFormat {
    kText,  // the result lines in UTF-8, each followed by LF
    kRaw,   // the bytes the window's result box holds: Windows-1252, CR LF
    kJson,
    kCsv,  // the explanation alone, as CSV records for a spreadsheet
};

struct Options {
    Counter counter = Counter::kSabo;
    Encoding encoding = Encoding::kAuto;
    OutputFormat format = OutputFormat::kText;
    bool explain = false;            // show each line that adds, before the result; not with kRaw
    std::vector<std::string> files;  // in order; "-" is standard input, as is an empty list
};

struct ParsedArguments {
    enum class Action { kCount, kHelp, kVersion, kUsageError };
    Action action = Action::kUsageError;
    Options options;    // for kCount; files never empty
    std::string error;  // for kUsageError, German, without the program name
};

// args without the program name. Options may stand anywhere before "--"; --help (or -h) and
// --version act as soon as they are met, as with getopt.
ParsedArguments ParseArguments(std::span<const char* const> args);

// The usage text, UTF-8, ending in a line break.
std::string_view UsageText();

// Its synopsis and where to find the rest, for a usage error; no final line break.
std::string ShortUsageText();

}  // namespace korva::cli
