#include <windows.h>

#include <vector>

#include "frontends/cli/read_size.hpp"

namespace korva::cli {

std::size_t Level2CacheBytes() {
    DWORD bytes = 0;
    GetLogicalProcessorInformation(nullptr, &bytes);
    if (bytes == 0) return 0;
    std::vector<SYSTEM_LOGICAL_PROCESSOR_INFORMATION> entries(
        bytes / sizeof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION));
    if (!GetLogicalProcessorInformation(entries.data(), &bytes)) return 0;
    for (const SYSTEM_LOGICAL_PROCESSOR_INFORMATION& entry : entries) {
        if (entry.Relationship == RelationCache && entry.Cache.Level == 2 &&
            (entry.Cache.Type == CacheUnified || entry.Cache.Type == CacheData)) {
            return entry.Cache.Size;
        }
    }
    return 0;
}

}  // namespace korva::cli
