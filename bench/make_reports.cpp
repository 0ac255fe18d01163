// Writes generated report text to stdout, for timing whole runs of korva-count.
// Usage: korva-make-reports MEGABYTES [realistic|dense] [SEED]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report_generator.hpp"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Aufruf: korva-make-reports MEGABYTES [realistic|dense] [SEED]\n", stderr);
        return 2;
    }
    const std::size_t megabytes = std::strtoull(argv[1], nullptr, 10);
    const bool dense = argc > 2 && std::string_view(argv[2]) == "dense";
    std::uint32_t seed =
        argc > 3 ? static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 1;
    std::string block;
    for (std::size_t written = 0; written < megabytes; ++written) {
        block.clear();
        korva::bench::GenerateReports(
            block, 1 << 20, dense ? korva::bench::Shape::Dense : korva::bench::Shape::Realistic,
            seed++);
        if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size()) return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
