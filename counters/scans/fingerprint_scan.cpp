#include "counters/scans/fingerprint_scan.hpp"

#include "counters/kernels/kernel_table.hpp"

namespace korva {

FingerprintBlock NextFingerprintBlock(std::string_view text, std::size_t from,
                                      const Fingerprints& prints, ScanPath path) {
    return kernels::KernelFor(path).next_block(text, from, prints);
}

}  // namespace korva
