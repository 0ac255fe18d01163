// Finding which buildings a line names, in one pass over the line.
#pragma once

#include <cstdint>
#include <string_view>

namespace korva {

// Bit r is set when BuildingTable[r].name occurs in line before its first 0x00 byte.
std::uint16_t BuildingsNamedIn(std::string_view line);

}  // namespace korva
