// Finding the buildings a text names, in one pass.
#pragma once

#include <cstdint>
#include <string_view>

#include "counters/line_visitor.hpp"

namespace korva {

// Bit r is set when BuildingTable[r].name occurs in line before its first 0x00 byte.
std::uint16_t BuildingsNamedIn(std::string_view line);

// Calls on_line for every line of text (divided at each CR and LF) that may name a building:
// every line that does, in Windows-1252 or in UTF-8, and a few that only look alike. Lines left
// out name no building, so counting only the lines visited gives the count of all of them.
void ForEachLineNamingBuildings(std::string_view text, LineVisitor on_line);

}  // namespace korva
