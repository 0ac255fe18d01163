// The fingerprint prefilter, on every kernel this CPU runs, against the plain definition of a hit.
// The input is read as: the six nibble tables (96 bytes), two bytes for where to start, and the
// text. Tables straight from the input also take shapes that Fingerprints::Add never builds.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "counters/scans/fingerprint_scan.hpp"
#include "counters/kernels/scan_path.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;

using Hit = std::size_t;

// Position i is a hit when some bucket holds bytes i, i+1 and i+2 in its three classes.
std::vector<Hit> Defined(std::string_view text, std::size_t from, const korva::Fingerprints& f) {
    std::vector<Hit> hits;
    for (std::size_t i = from; i + 3 <= text.size(); ++i) {
        std::uint8_t buckets = 0xFF;
        for (std::size_t k = 0; k < 3; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            buckets &= f.lo[k][byte & 0x0F] & f.hi[k][byte >> 4];
        }
        if (buckets != 0) hits.push_back(i);
    }
    return hits;
}

std::vector<Hit> Scanned(std::string_view text, std::size_t from, const korva::Fingerprints& f,
                         korva::ScanPath path) {
    std::vector<Hit> hits;
    while (true) {
        const korva::FingerprintBlock block = korva::NextFingerprintBlock(text, from, f, path);
        if (block.hits == 0) return hits;
        Require(block.base + 31 >= from, "a block lies at or after the position asked for");
        for (std::uint32_t bits = block.hits; bits != 0; bits &= bits - 1) {
            const int j = __builtin_ctz(bits);
            Require(block.base + j >= from, "every hit lies at or after the position asked for");
            hits.push_back(block.base + j);
        }
        for (std::size_t j = 0; j < 32; ++j) {
            const std::size_t at = block.base + j;
            const bool is_break = at < text.size() && (text[at] == '\r' || text[at] == '\n');
            Require(((block.breaks >> j) & 1) == (is_break ? 1u : 0u),
                    "a block's breaks are the CR and LF bytes it covers");
        }
        from = block.base + 32;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korva::Fingerprints prints;
    if (size < sizeof prints.lo + sizeof prints.hi + 2) return 0;
    std::memcpy(prints.lo.data(), data, sizeof prints.lo);
    std::memcpy(prints.hi.data(), data + sizeof prints.lo, sizeof prints.hi);
    data += sizeof prints.lo + sizeof prints.hi;
    size -= sizeof prints.lo + sizeof prints.hi;
    const std::size_t start = (data[0] | data[1] << 8) % (size - 2 + 1);
    const std::string_view text = korva::fuzz::AsText(data + 2, size - 2);

    const std::vector<Hit> expected = Defined(text, start, prints);
    static const std::vector<korva::KernelPath> kernels = korva::KernelsThisCpuRuns();
    for (const korva::KernelPath& kernel : kernels) {
        Require(Scanned(text, start, prints, kernel.path) == expected,
                "every kernel finds exactly the defined hits");
    }
    return 0;
}
