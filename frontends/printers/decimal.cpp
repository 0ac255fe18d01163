#include "frontends/printers/decimal.hpp"

#include <bit>
#include <charconv>
#include <cstring>

namespace korva {

char* PutDecimal(char* out, std::uint64_t value) {
    if (value == 0 || value >= 100'000'000) {
        return std::to_chars(out, out + kMostDecimalBytes, value).ptr;
    }
    // Two four-digit halves in 32-bit lanes, the first digits in the low lane (the first byte
    // in memory); each split into two-digit halves in 16-bit lanes, and those into digits in
    // bytes. The quotients are multiplications: x * 10486 >> 20 is x / 100 below 43,699, and
    // x * 103 >> 10 is x / 10 below 179; the masks keep each lane's bits from its neighbour's.
    const std::uint64_t halves = (value / 10'000) | ((value % 10'000) << 32);
    const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000'007F'0000'007Fu;
    const std::uint64_t pairs = hundreds | ((halves - hundreds * 100) << 16);
    const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F'000F'000F'000Fu;
    const std::uint64_t digits = tens | ((pairs - tens * 10) << 8);
    // The leading zeros are the low bytes that are 0; value is not, so some byte is not.
    const int zeros = std::countr_zero(digits) / 8;
    const std::uint64_t text = (digits + 0x3030'3030'3030'3030u) >> (8 * zeros);
    std::memcpy(out, &text, sizeof text);
    return out + (8 - zeros);
}

}  // namespace korva
