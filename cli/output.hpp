// What korva-count prints: a finished tally in one of the output formats, and the checked write
// that gets it out.
#pragma once

#include <string>
#include <string_view>

#include "cli/arguments.hpp"
#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"

namespace korva::cli {

std::string FormatResult(const SaboTally& tally, OutputFormat format);
std::string FormatResult(const PluenTally& tally, OutputFormat format);

// Writes all of text to fd, going on after short writes. Returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view text);

}  // namespace korva::cli
