// A one-pass prefilter for several literals at once: each literal is known by a fingerprint of
// three byte classes at consecutive positions, the classes split into low and high nibbles so that
// one table lookup per nibble tests all literals together (the "Teddy" technique of fast grep
// tools). Up to 8 buckets of literals; a hit names the buckets whose fingerprint matched, and the
// caller confirms the literal itself. Where the CPU has AVX2 this tests 32 positions at a time;
// elsewhere a scalar loop over the very same tables gives the same hits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korva {

struct Fingerprints {
    // lo[k][n]: buckets whose k-th class holds a byte with low nibble n; hi likewise.
    std::array<std::array<std::uint8_t, 16>, 3> lo{};
    std::array<std::array<std::uint8_t, 16>, 3> hi{};

    // Adds a literal to bucket (0-7) whose first three bytes are any of the bytes of c0, c1, c2.
    constexpr void Add(int bucket, std::string_view c0, std::string_view c1, std::string_view c2) {
        const std::string_view classes[3] = {c0, c1, c2};
        for (int k = 0; k < 3; ++k) {
            for (const char c : classes[k]) {
                const auto byte = static_cast<unsigned char>(c);
                lo[k][byte & 0x0F] |= static_cast<std::uint8_t>(1u << bucket);
                hi[k][byte >> 4] |= static_cast<std::uint8_t>(1u << bucket);
            }
        }
    }
};

struct FingerprintHit {
    std::size_t position;  // of the first of the three bytes; text.size() when there is none
    std::uint8_t buckets;
};

// The first position at or after from where some bucket's fingerprint matches.
FingerprintHit NextFingerprint(std::string_view text, std::size_t from, const Fingerprints& prints);

// The same, always with the scalar loop: for tests that both paths agree.
FingerprintHit NextFingerprintScalar(std::string_view text, std::size_t from,
                                     const Fingerprints& prints);

// Whether NextFingerprint uses the vector path on this CPU.
bool FingerprintScanIsVectorised();

}  // namespace korva
