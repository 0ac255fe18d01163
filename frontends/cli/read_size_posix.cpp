#include <unistd.h>

#include "frontends/cli/read_size.hpp"

namespace korva::cli {

std::size_t Level2CacheBytes() {
#ifdef _SC_LEVEL2_CACHE_SIZE
    const long bytes = sysconf(_SC_LEVEL2_CACHE_SIZE);
    return bytes > 0 ? static_cast<std::size_t>(bytes) : 0;
#else
    return 0;  // not a glibc system
#endif
}

}  // namespace korva::cli
