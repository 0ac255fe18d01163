// What one line adds to a tally, row by row, for a player who wants to see which lines made a
// total: the counters' own rules (bracket_amount.hpp, keyword_amount.hpp), their results kept row
// by row; summed over all lines, the additions are the tallies.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "counters/kernels/scan_tables.hpp"
#include "counters/tables/bracket_amount.hpp"
#include "counters/tables/tables.hpp"
#include "counters/tables/tally.hpp"

namespace korva {

struct LineAddition {
    std::size_t row;        // into BuildingTable or ResourceTable
    std::string_view name;  // that row's building name or resource keyword, Windows-1252
    Tally amount;
    // Text that was meant as the number did not convert, so the counter took its default
    // instead: 1 for a building, 0 for a resource.
    bool unreadable;
};

// At most one entry per row of the larger table, held in place: lines are explained by the
// hundred thousand, and an allocation for each would cost more than reading it.
class LineAdditions {
  public:
    static constexpr std::size_t kCapacity = std::max(BuildingTable.size(), ResourceTable.size());

    LineAdditions() {}  // the entries past size() stay unset: they are never read
    explicit LineAdditions(const LineAddition& only) { push_back(only); }
    // Copies the entries there are, not the room for them.
    LineAdditions(const LineAdditions& other) : size_(other.size_) {
        std::copy(other.begin(), other.end(), entries_.items);
    }
    LineAdditions& operator=(const LineAdditions& other) {
        size_ = other.size_;
        std::copy(other.begin(), other.end(), entries_.items);
        return *this;
    }

    void push_back(const LineAddition& addition) { entries_.items[size_++] = addition; }
    void clear() { size_ = 0; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const LineAddition& operator[](std::size_t i) const { return entries_.items[i]; }
    const LineAddition* begin() const { return entries_.items; }
    const LineAddition* end() const { return entries_.items + size_; }

  private:
    union Entries {
        Entries() {}
        LineAddition items[kCapacity];
    } entries_;
    std::size_t size_ = 0;
};

// The rows the sabotage rule's result adds to: one entry per row in named, in table order.
void AddSaboRows(LineAdditions& additions, kernels::BuildingBits named,
                 const BracketAmount& amount);

// The row the plunder rule's result for one row (ForEachPlunderedRow) shows: every row that gains,
// and a row that gains 0 where the line names the resource as a word of its own at its start
// (after blanks), such as "Eisen 1.234.567" or "  Eisen 1500", the lines players ask about.
// "Eisenmine (2)" or the "Wasser" of "Wasserstoff 300" name no resource and are left out.
void AddPlunderRowOfZero(LineAdditions& additions, std::size_t row, std::string_view amount_text,
                         std::string_view opening);
inline void AddPlunderRow(LineAdditions& additions, std::size_t row, Tally amount,
                          std::string_view amount_text, std::string_view opening) {
    // An amount other than 0 was read and shows: nearly every row, made in the scan's loop.
    if (amount != 0) {
        additions.push_back({row, ResourceTable[row].keyword, amount, false});
        return;
    }
    AddPlunderRowOfZero(additions, row, amount_text, opening);
}

// One entry per building the Windows-1252 line names, in table order; none for other lines.
LineAdditions SaboLineAdditions(std::string_view line);

// The plunder rows the line shows (AddPlunderRow), in search order.
LineAdditions PluenLineAdditions(std::string_view line);

}  // namespace korva
