#include "counters/building_scan.hpp"

#include <array>
#include <cstring>

#include "counters/tables.hpp"

namespace korva {

namespace {

// For each byte, the rows whose name starts with it.
constexpr std::array<std::uint16_t, 256> kRowsStartingWith = [] {
    std::array<std::uint16_t, 256> rows{};
    for (std::size_t r = 0; r < BuildingTable.size(); ++r) {
        rows[static_cast<unsigned char>(BuildingTable[r].name.front())] |= std::uint16_t(1u << r);
    }
    return rows;
}();

}  // namespace

std::uint16_t BuildingsNamedIn(std::string_view line) {
    if (const void* nul = std::memchr(line.data(), 0, line.size())) {
        line =
            line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
    }
    std::uint16_t named = 0;
    const std::size_t size = line.size();
    for (std::size_t i = 0; i < size; ++i) {
        std::uint16_t candidates = kRowsStartingWith[static_cast<unsigned char>(line[i])];
        while (candidates) {
            const int r = __builtin_ctz(candidates);
            candidates &= static_cast<std::uint16_t>(candidates - 1);
            const std::string_view name = BuildingTable[r].name;
            if (size - i >= name.size() &&
                std::memcmp(line.data() + i, name.data(), name.size()) == 0) {
                named |= std::uint16_t(1u << r);
            }
        }
    }
    return named;
}

}  // namespace korva
