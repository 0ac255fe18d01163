// The plunder counter: the plundered amounts of six resources, summed over all reports.
#pragma once

#include <array>
#include <string_view>

#include "counters/result_lines.hpp"
#include "counters/tables/keyword_amount.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/function_ref.hpp"
#include "counters/text/report_lines.hpp"

namespace korva {

class ExplanationSink;

class PluenTally {
  public:
    // A line containing a keyword adds the number found from the fixed position right after the
    // keyword's length, trimmed (0 when that does not convert), to that resource.
    void AddLine(std::string_view line);

    // Every line of a text, divided at each CR and LF. Looks only at the lines that open with a
    // keyword, the only ones that can add, decoding them to Windows-1252 first (by default they
    // already are).
    void AddText(std::string_view text);
    void AddText(std::string_view text, LineDecoder decode);
    // The same, each line that adds also handed to explanation, in the same pass.
    void AddText(std::string_view text, LineDecoder decode, ExplanationSink& explanation);

    // Adds what another tally counted, as if its lines had come here: the text of one file
    // counted in parts gives the same as counted whole.
    void Add(const PluenTally& other);
    void Add(const ResourceSums& sums);

    // In search order, as ResourceTable.
    const ResourceSums& Sums() const { return sums_; }

    // The heading, then one line per resource in output order.
    ResultLines Lines() const;

  private:
    ResourceSums sums_{};
};

}  // namespace korva
