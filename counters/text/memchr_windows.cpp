// The byte search of the Windows build. mingw-w64 programs take memchr from msvcrt.dll, which
// (wine's, at least) looks at one byte at a time; the counters and std::string_view::find search
// short lines with it all the time. Linking this definition replaces the DLL's for the whole
// program.
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::uintptr_t kPage = 4096;
constexpr std::size_t kBlock = 16;

// Bit j set where the block at p holds the byte at position j.
inline unsigned Hits(__m128i block, __m128i needle) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, needle)));
}

inline unsigned FirstBits(std::size_t n) {
    return n >= kBlock ? 0xFFFFu : (1u << n) - 1;
}

}  // namespace

// 16 bytes per step. Loads may reach past the end of the range, never past the page holding its
// last byte (or the byte found), so they cannot fault; their bytes are masked off.
extern "C" void* memchr(const void* data, int value, std::size_t size) {
    if (size == 0) return nullptr;
    const auto* const bytes = static_cast<const unsigned char*>(data);
    const __m128i needle = _mm_set1_epi8(static_cast<char>(value));
    const auto address = reinterpret_cast<std::uintptr_t>(bytes);
    const auto found = [bytes](std::size_t at) { return const_cast<unsigned char*>(bytes + at); };

    std::size_t i = 0;
    if (address % kPage <= kPage - kBlock) {
        // The first 16 bytes in one unaligned load, as short lines need no more.
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        if (const unsigned hits = Hits(block, needle) & FirstBits(size)) {
            return found(static_cast<std::size_t>(__builtin_ctz(hits)));
        }
        if (size <= kBlock) return nullptr;
        i = kBlock - address % kBlock;  // from here on aligned: nothing before it is left
    } else {
        // Near the end of a page: the aligned block around the start, its earlier bytes masked.
        const std::size_t skip = address % kBlock;
        const __m128i block = _mm_load_si128(reinterpret_cast<const __m128i*>(bytes - skip));
        const unsigned hits = (Hits(block, needle) >> skip) & FirstBits(size);
        if (hits != 0) return found(static_cast<std::size_t>(__builtin_ctz(hits)));
        i = kBlock - skip;
    }
    for (; i < size; i += kBlock) {
        const __m128i block = _mm_load_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (const unsigned hits = Hits(block, needle) & FirstBits(size - i)) {
            return found(i + static_cast<std::size_t>(__builtin_ctz(hits)));
        }
    }
    return nullptr;
}
