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
    using enum Counter;
    using enum Encoding;
    using enum OutputFormat;
    const CountRow rows[] = {
        {{"sabo"}, kSabo, kAuto, kText, {"-"}},
        {{"pluen", "--json", "a", "-", "b"}, kPluen, kAuto, kJson, {"a", "-", "b"}},
        {{"sabo", "f", "--raw"}, kSabo, kAuto, kRaw, {"f"}},
        {{"--encoding=cp1252", "sabo"}, kSabo, kCp1252, kText, {"-"}},
        {{"sabo", "--encoding", "utf-8", "--encoding", "auto"}, kSabo, kAuto, kText, {"-"}},
        {{"sabo", "--raw", "--raw"}, kSabo, kAuto, kRaw, {"-"}},
        {{"pluen", "--", "--raw", "-x", "-"}, kPluen, kAuto, kText, {"--raw", "-x", "-"}},
        {{"pluen", "--csv", "a"}, kPluen, kAuto, kCsv, {"a"}},
        {{"--", "sabo", "--json"}, kSabo, kAuto, kText, {"--json"}},
    };
    for (const CountRow& row : rows) {
        const ParsedArguments parsed = Parse(row.args);
        ASSERT_EQ(parsed.action, Action::kCount) << row.args.front() << " " << parsed.error;
        EXPECT_EQ(parsed.options.counter, row.counter);
        EXPECT_EQ(parsed.options.encoding, row.encoding);
        EXPECT_EQ(parsed.options.format, row.format);
        EXPECT_EQ(parsed.options.files, row.files);
        // None of the rows asks for --explain: only the CSV, which is the explanation, has it.
        EXPECT_EQ(parsed.options.explain, row.format == kCsv);
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
