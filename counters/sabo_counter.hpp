// The sabotage counter: how many buildings of each kind the reports say were destroyed, and
// what they were worth in points.
#pragma once

#include <array>
#include <string_view>

#include "counters/result_lines.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"
#include "counters/text/function_ref.hpp"
#include "counters/text/report_lines.hpp"

namespace korva {

class ExplanationSink;

// Counts line by line, so a stream of any length can be counted without holding it.
class SaboTally {
  public:
    // A line naming a building adds the number between its first "(" and first ")" (1 when
    // that does not convert) to every building it names.
    void AddLine(std::string_view line);

    // Every line of a text, divided at each CR and LF. Lines that name no building are skipped
    // unseen; the others are decoded to Windows-1252 first (by default they already are).
    void AddText(std::string_view text);
    void AddText(std::string_view text, LineDecoder decode);
    // The same, each line that adds also handed to explanation, in the same pass.
    void AddText(std::string_view text, LineDecoder decode, ExplanationSink& explanation);

    // Adds what another tally counted, as if its lines had come here: the text of one file
    // counted in parts gives the same as counted whole.
    void Add(const SaboTally& other);
    void Add(const std::array<Tally, BuildingTable.size()>& counts);

    const std::array<Tally, BuildingTable.size()>& Counts() const { return counts_; }
    Tally Total() const;

    // 14 lines "Name  (Count)", an empty line, then "Gesamt zerstörte Punkte: Total".
    ResultLines Lines() const;

  private:
    std::array<Tally, BuildingTable.size()> counts_{};
};

}  // namespace korva
