// Report text of realistic shape for benchmarks: sabotage and plunder reports with their time
// lines, amid the many lines of other reports that name nothing the counters look for.
#pragma once

#include <cstdint>
#include <string>

namespace korva::bench {

enum class Shape {
    Realistic,  // mostly lines that match nothing, as a player's pasted report list
    Dense,      // every line names several buildings and resources
};

// Appends about `bytes` bytes of UTF-8 report text (whole lines, CR LF) to out.
void GenerateReports(std::string& out, std::size_t bytes, Shape shape, std::uint32_t seed);

}  // namespace korva::bench
