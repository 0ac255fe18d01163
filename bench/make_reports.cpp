// Writes generated report text to stdout, for timing whole runs of korva-count.
// Usage: korva-make-reports MEGABYTES [realistic|dense] [SEED]
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "report_generator.hpp"

namespace {

constexpr std::string_view kUsage =
    "Aufruf: korva-make-reports MEGABYTES [realistic|dense] [SEED]\n"
    "Schreibt MEGABYTES MB erzeugter Berichte (UTF-8, CR LF) auf die Standardausgabe.\n"
    "  realistic  (Vorgabe) wenige passende Zeilen zwischen vielen anderen\n"
    "  dense      jede Zeile nennt mehrere Gebäude und Ressourcen\n"
    "  SEED       Startwert des Zufalls (Vorgabe 1); gleicher Startwert, gleicher Text\n";

struct Call {
    std::size_t megabytes = 0;
    korva::bench::Shape shape = korva::bench::Shape::Realistic;
    std::uint32_t seed = 1;
};

// The whole text as a decimal number, or nothing: "12x", "-1" and "" are no numbers.
template <typename Number>
std::optional<Number> WholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<korva::bench::Shape> ShapeNamed(std::string_view name) {
    if (name == "realistic") return korva::bench::Shape::Realistic;
    if (name == "dense") return korva::bench::Shape::Dense;
    return std::nullopt;
}

std::optional<Call> ParseCall(int argc, char** argv) {
    if (argc < 2 || argc > 4) return std::nullopt;
    Call call;
    const auto megabytes = WholeNumber<std::size_t>(argv[1]);
    if (!megabytes) return std::nullopt;
    call.megabytes = *megabytes;
    if (argc > 2) {
        const auto shape = ShapeNamed(argv[2]);
        if (!shape) return std::nullopt;
        call.shape = *shape;
    }
    if (argc > 3) {
        const auto seed = WholeNumber<std::uint32_t>(argv[3]);
        if (!seed) return std::nullopt;
        call.seed = *seed;
    }
    return call;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    const std::optional<Call> call = ParseCall(argc, argv);
    if (!call) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
        return 2;
    }
    std::uint32_t seed = call->seed;
    std::string block;
    for (std::size_t written = 0; written < call->megabytes; ++written) {
        block.clear();
        korva::bench::GenerateReports(block, 1 << 20, call->shape, seed++);
        if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size()) return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
