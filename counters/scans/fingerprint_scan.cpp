#include "counters/scans/fingerprint_scan.hpp"

#include "counters/scans/scan_kernels.hpp"

namespace korva {

FingerprintBlock NextFingerprintBlock(std::string_view text, std::size_t from,
                                      const Fingerprints& prints, ScanPath path) {
    return kernels::WithKernel(
        path,
        []<class Kernel>(std::string_view text, std::size_t from, const Fingerprints* prints) {
            return Kernel::NextIn(text, from, *prints);
        },
        text, from, &prints);
}

}  // namespace korva
