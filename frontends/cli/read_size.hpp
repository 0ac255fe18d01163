// How much korva-count reads at a time, from the size of the CPU's level 2 cache.
#pragma once

#include <algorithm>
#include <cstddef>

namespace korva::cli {

// An eighth of one core's level 2 cache, as measured (bench/read_sizes.sh, docs/speed.md): 64 KiB
// of AMD EPYC's 512 KiB took 0.6x the CPU of 256 KiB; 256 KiB of an Intel Xeon's 2 MiB is best.
constexpr std::size_t ReadSizeFor(std::size_t level2_cache_bytes) {
    constexpr std::size_t kUnknown = std::size_t{64} << 10;  // the smaller caches' size
    if (level2_cache_bytes == 0) return kUnknown;
    return std::clamp(level2_cache_bytes / 8, std::size_t{16} << 10, std::size_t{1} << 20);
}

// One core's level 2 cache in bytes, as the system reports it, or 0 where it does not.
std::size_t Level2CacheBytes();

}  // namespace korva::cli
