// TextToIntDef against a separate reading of the number forms, and against itself under
// different defaults, after IntToText, and behind extra leading spaces.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "counters/text/text_ops.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;

constexpr std::int32_t kDefaultA = 0x5EED1234;
constexpr std::int32_t kDefaultB = -0x5EED1234;

// Canonicalises first (cut at 0x00, drop leading spaces, split off sign or hexadecimal prefix,
// check the digits, drop leading zeros), so that from_chars only ever sees a digit string short
// enough to fit, and the range test is explicit.
std::optional<std::int32_t> Reference(std::string_view text) {
    text = korva::fuzz::UpToNul(text);
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    bool negative = false;
    bool hex = false;
    if (text.starts_with('-')) {
        negative = true;
        text.remove_prefix(1);
    } else if (text.starts_with('+')) {
        text.remove_prefix(1);
    } else if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        hex = true;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        hex = true;
        text.remove_prefix(2);
    }
    const std::string_view digits = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (text.empty() || text.find_first_not_of(digits) != std::string_view::npos) return {};
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size() - 1));

    const char* const end = text.data() + text.size();
    if (hex) {
        if (text.size() > 8) return {};
        std::uint32_t bits = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), end, bits, 16);
        Require(ec == std::errc() && ptr == end, "reference: hex digits convert");
        return static_cast<std::int32_t>(bits);  // the 32 bits read as signed
    }
    if (text.size() > 10) return {};
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    Require(ec == std::errc() && ptr == end, "reference: decimal digits convert");
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return {};
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = korva::fuzz::AsText(data, size);
    const std::int32_t a = korva::TextToIntDef(text, kDefaultA);
    const std::int32_t b = korva::TextToIntDef(text, kDefaultB);
    const bool failed = a == kDefaultA && b == kDefaultB;
    Require(failed || a == b, "either both defaults come back or one value under both");

    const std::optional<std::int32_t> expected = Reference(text);
    Require(failed != expected.has_value(), "fails exactly when the reference fails");
    Require(failed || *expected == a, "gives the reference's value");

    // Appended, not " " + std::string(text): GCC 12 takes that for an overlapping copy
    // (-Wrestrict, GCC bug 105329).
    std::string spaced = " ";
    spaced += text;
    Require(korva::TextToIntDef(spaced, kDefaultA) == a, "a leading space changes nothing");

    if (!failed) {
        Require(korva::TextToIntDef(korva::IntToText(a), a ^ 1) == a, "IntToText reads back");
        std::string_view number = korva::fuzz::UpToNul(text);
        number.remove_prefix(number.find_first_not_of(' '));
        Require(number.find_first_not_of("0123456789abcdefABCDEF+-$xX") == std::string_view::npos,
                "a success holds only digits, sign and hexadecimal prefixes");
    }
    return 0;
}
