#include "counters/fingerprint_scan.hpp"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KORVA_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

namespace korva {

namespace {

inline std::uint8_t BucketsAt(const unsigned char* p, const Fingerprints& prints) {
    std::uint8_t buckets = 0xFF;
    for (int k = 0; k < 3; ++k) {
        buckets &= prints.lo[k][p[k] & 0x0F] & prints.hi[k][p[k] >> 4];
    }
    return buckets;
}

FingerprintBlock ScanScalar(std::string_view text, std::size_t from, const Fingerprints& prints) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    FingerprintBlock block{text.size(), 0, 0};
    for (std::size_t i = from; i + 3 <= text.size(); ++i) {
        if (BucketsAt(p + i, prints) == 0) continue;
        if (block.hits == 0) block.base = i;
        if (i - block.base >= 32) break;
        block.hits |= 1u << (i - block.base);
    }
    for (std::size_t j = 0; block.hits && j < 32 && block.base + j < text.size(); ++j) {
        if (p[block.base + j] == '\r' || p[block.base + j] == '\n') block.breaks |= 1u << j;
    }
    return block;
}

#ifdef KORVA_HAVE_AVX2_PATH

__attribute__((target("avx2"))) inline __m256i Lookup(__m256i bytes, const std::uint8_t* lo,
                                                      const std::uint8_t* hi) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i lo_table =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lo)));
    const __m256i hi_table =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(hi)));
    const __m256i lo_bits = _mm256_shuffle_epi8(lo_table, _mm256_and_si256(bytes, nibble));
    const __m256i hi_bits =
        _mm256_shuffle_epi8(hi_table, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
    return _mm256_and_si256(lo_bits, hi_bits);
}

// Buckets matching the k-th class at each of the 32 bytes from p + k.
__attribute__((target("avx2"))) inline __m256i BucketsAt(const char* p, int k,
                                                         const Fingerprints& prints) {
    return Lookup(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + k)), prints.lo[k].data(),
                  prints.hi[k].data());
}

__attribute__((target("avx2"))) inline __m256i Buckets(const char* p, const Fingerprints& prints) {
    return _mm256_and_si256(_mm256_and_si256(BucketsAt(p, 0, prints), BucketsAt(p, 1, prints)),
                            BucketsAt(p, 2, prints));
}

__attribute__((target("avx2"))) inline std::uint32_t HitsAt(const char* p,
                                                            const Fingerprints& prints,
                                                            std::uint32_t valid) {
    const auto empty = static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(Buckets(p, prints), _mm256_setzero_si256())));
    return ~empty & valid;
}

// The breaks of a block known to hold hits: rare work next to the blocks without.
__attribute__((target("avx2"))) FingerprintBlock Block(const char* p, std::size_t base,
                                                       std::uint32_t hits) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i breaks = _mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r')),
                                           _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n')));
    return {base, hits, static_cast<std::uint32_t>(_mm256_movemask_epi8(breaks))};
}

__attribute__((target("avx2"))) FingerprintBlock ScanAvx2(std::string_view text, std::size_t from,
                                                          const Fingerprints& prints) {
    const char* const p = text.data();
    std::size_t i = from;
    // 32 positions at a time while all three bytes of each are inside the text.
    for (; i + 34 <= text.size(); i += 32) {
        const std::uint32_t hits = HitsAt(p + i, prints, ~0u);
        if (hits) return Block(p + i, i, hits);
    }
    // The last positions, from a copy with room to read past the end; a hit needs all three of
    // its bytes inside the text.
    if (i + 3 <= text.size()) {
        alignas(32) char tail[64] = {};
        std::memcpy(tail, p + i, text.size() - i);
        const std::uint32_t valid = (1u << (text.size() - i - 2)) - 1;
        if (const std::uint32_t hits = HitsAt(tail, prints, valid)) {
            return Block(tail, i, hits);
        }
    }
    return {text.size(), 0, 0};
}

bool CpuHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

#endif

}  // namespace

FingerprintBlock NextFingerprintBlockScalar(std::string_view text, std::size_t from,
                                            const Fingerprints& prints) {
    return ScanScalar(text, from, prints);
}

#ifdef KORVA_HAVE_AVX2_PATH

bool VectorPathAvailable() {
    static const bool avx2 = CpuHasAvx2();
    return avx2;
}

FingerprintBlock NextFingerprintBlock(std::string_view text, std::size_t from,
                                      const Fingerprints& prints) {
    return VectorPathAvailable() ? ScanAvx2(text, from, prints) : ScanScalar(text, from, prints);
}

#else

bool VectorPathAvailable() {
    return false;
}

FingerprintBlock NextFingerprintBlock(std::string_view text, std::size_t from,
                                      const Fingerprints& prints) {
    return ScanScalar(text, from, prints);
}

#endif

}  // namespace korva
