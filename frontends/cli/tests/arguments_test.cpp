#include "frontends/cli/arguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korva::cli {
namespace {

using Action = ParsedArguments::Action;

ParsedArguments Parse(const std::vector<const char*>& args) {
    return ParseArguments(args);
}

struct CountRow {
    std::vector<const char*> args;
    Counter counter;
    Encoding encoding;
    OutputFormat format;
    std::vector<std::string> files;
};

TEST(ParseArguments, AcceptsOptionsAnywhereBeforeDoubleDash) {
    const CountRow rows[] = {
        {{"sabo"}, Counter::kSabo, Encoding::kAuto, OutputFormat::kText, {"-"}},
        {{"pluen", "--json", "a", "-", "b"},
         Counter::kPluen,
         Encoding::kAuto,
         OutputFormat::kJson,
         {"a", "-", "b"}},
        {{"sabo", "f", "--raw"}, Counter::kSabo, Encoding::kAuto, OutputFormat::kRaw, {"f"}},
        {{"--encoding=cp1252", "sabo"},
         Counter::kSabo,
         Encoding::kCp1252,
         OutputFormat::kText,
         {"-"}},
        {{"sabo", "--encoding", "utf-8", "--encoding", "auto"},
         Counter::kSabo,
         Encoding::kAuto,
         OutputFormat::kText,
         {"-"}},
        {{"sabo", "--raw", "--raw"}, Counter::kSabo, Encoding::kAuto, OutputFormat::kRaw, {"-"}},
        {{"pluen", "--", "--raw", "-x", "-"},
         Counter::kPluen,
         Encoding::kAuto,
         OutputFormat::kText,
         {"--raw", "-x", "-"}},
        {{"pluen", "--csv", "a"}, Counter::kPluen, Encoding::kAuto, OutputFormat::kCsv, {"a"}},
        {{"--", "sabo", "--json"},
         Counter::kSabo,
         Encoding::kAuto,
         OutputFormat::kText,
         {"--json"}},
    };
    for (const CountRow& row : rows) {
        const ParsedArguments parsed = Parse(row.args);
        ASSERT_EQ(parsed.action, Action::kCount) << row.args.front() << " " << parsed.error;
        EXPECT_EQ(parsed.options.counter, row.counter);
        EXPECT_EQ(parsed.options.encoding, row.encoding);
        EXPECT_EQ(parsed.options.format, row.format);
        EXPECT_EQ(parsed.options.files, row.files);
        // None of the rows asks for --explain: only the CSV, which is the explanation, has it.
        EXPECT_EQ(parsed.options.explain, row.format == OutputFormat::kCsv);
    }
}

TEST(ParseArguments, HelpAndVersionActWhenMet) {
    EXPECT_EQ(Parse({"--help"}).action, Action::kHelp);
    EXPECT_EQ(Parse({"sabo", "--help", "--bogus"}).action, Action::kHelp);
    EXPECT_EQ(Parse({"--version", "--help"}).action, Action::kVersion);
    EXPECT_EQ(Parse({"sabo", "--", "--help"}).action, Action::kCount);
}

}  // namespace
}  // namespace korva::cli
