#include "base85.hpp"

#include <algorithm>
#include <cstdint>

namespace korva::web {

std::string Base85(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 3) / 4 * 5);
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::size_t n = std::min<std::size_t>(4, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        char digits[5];
        for (int k = 4; k >= 0; --k, group /= 85) digits[k] = kBase85Digits[group % 85];
        out.append(digits, n + 1);
    }
    return out;
}

}  // namespace korva::web
