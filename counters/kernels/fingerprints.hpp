// A one-pass prefilter for several literals at once: each literal is known by a fingerprint of
// three byte classes at consecutive positions, the classes split into low and high nibbles so that
// one table lookup per nibble tests all literals together (the "Teddy" technique of fast grep
// tools). Up to 8 buckets of literals, each a bit in the tables. The vector kernels (AVX2,
// WebAssembly SIMD) test 32 positions at a time; the scalar kernel loops over the very same
// tables and gives the same hits.
// Buckets only sharpen the prefilter: a hit says that some literal's fingerprint stands there, and
// the caller tells which.
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

// The hits among 32 consecutive positions: bit j of hits stands for a fingerprint at base + j.
// Bit j of breaks is set where the text holds a CR or LF at base + j, which spares the callers a
// search for the lines around their hits.
struct FingerprintBlock {
    std::size_t base;
    std::uint32_t hits;  // 0: no hit anywhere from the position asked for to the end
    std::uint32_t breaks;
};

}  // namespace korva
