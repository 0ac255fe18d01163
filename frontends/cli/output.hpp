// What korva-count prints: a finished tally in one of the output formats.
#pragma once

#include <string>
#include <string_view>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "frontends/cli/arguments.hpp"

namespace korva::cli {

std::string FormatResult(const SaboTally& tally, OutputFormat format);
std::string FormatResult(const PluenTally& tally, OutputFormat format);

}  // namespace korva::cli
