// Finding the buildings a text names, in one pass.
#pragma once

#include <cstdint>
#include <string_view>

#include "counters/function_ref.hpp"

namespace korva {

// Bit r is set when BuildingTable[r].name occurs in line before its first 0x00 byte.
std::uint16_t BuildingsNamedIn(std::string_view line);

// Calls on_line(line, named) for every line of text (divided at each CR and LF) that may name a
// building: every line that does, in Windows-1252 or in UTF-8, and a few that only look alike.
// named holds the rows whose Windows-1252 name occurs anywhere in the line, a 0x00 byte
// notwithstanding. Lines left out name no building, in either encoding.
using NamedLineVisitor = FunctionRef<void(std::string_view line, std::uint16_t named)>;
void ForEachLineNamingBuildings(std::string_view text, NamedLineVisitor on_line);

}  // namespace korva
