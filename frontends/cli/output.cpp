#include "frontends/cli/output.hpp"

#include "frontends/printers/results.hpp"

namespace korva::cli {

namespace {

template <class Tally>
std::string Format(const Tally& tally, OutputFormat format) {
    switch (format) {
        case OutputFormat::kRaw:
            return OutputText(tally.Lines());
        case OutputFormat::kJson:
            return ResultJson(tally);
        case OutputFormat::kCsv:
            // The CSV is the explanation alone, without the totals.
            return {};
        case OutputFormat::kText:
            break;
    }
    return Utf8Lines(tally.Lines());
}

}  // namespace

std::string FormatResult(const SaboTally& tally, OutputFormat format) {
    return Format(tally, format);
}

std::string FormatResult(const PluenTally& tally, OutputFormat format) {
    return Format(tally, format);
}

}  // namespace korva::cli
