// What every fuzz target needs: the input as text, and a stop that names the broken property.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace korva::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts so that libFuzzer keeps the input as a crash artifact; the message says which
// property failed, since the stack alone does not.
inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "\nproperty violated: %s\n", property);
    std::abort();
}

// The text up to its first 0x00 byte: what TextPos and TextToIntDef look at.
inline std::string_view UpToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace korva::fuzz
