#include "counters/fingerprint_scan.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace korva {
namespace {

constexpr Fingerprints kPrints = [] {
    Fingerprints prints;
    prints.Add(0, "a", "b", "c");
    prints.Add(1, "\r\n", "E", "i");
    prints.Add(7, "x", "y", "z");
    return prints;
}();

TEST(FingerprintScan, FindsEachFingerprintWhereverItStands) {
    for (std::size_t size = 3; size < 100; ++size) {
        for (std::size_t at = 0; at + 3 <= size; ++at) {
            std::string text(size, '.');
            text.replace(at, 3, "xyz");
            for (std::size_t from = 0; from <= at; from += 5) {
                const FingerprintHit hit = NextFingerprint(text, from, kPrints);
                ASSERT_EQ(hit.position, at) << size << " " << from;
                ASSERT_EQ(hit.buckets, 1u << 7);
            }
            EXPECT_EQ(NextFingerprint(text, at + 1, kPrints).position, size);
        }
    }
}

TEST(FingerprintScan, ByteClassesAndBucketsCombine) {
    const std::pair<std::string, std::uint8_t> rows[] = {
        {"abc", 1},    {"\nEi", 2}, {"\rEi", 2}, {"\r\nEi", 2}, {"Ei", 0},
        {"xyz", 0x80}, {"ab", 0},   {"abd", 0},  {"", 0},
    };
    for (const auto& [text, buckets] : rows) {
        EXPECT_EQ(NextFingerprint(text, 0, kPrints).buckets, buckets) << text;
    }
    EXPECT_EQ(NextFingerprint("\r\nEi", 0, kPrints).position, 1u);
}

// Whichever path the CPU takes, it finds what the scalar loop finds.
TEST(FingerprintScan, VectorAndScalarPathsAgree) {
    std::mt19937 random(5);
    const char alphabet[] = "abcxyzEi\r\n.";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 200, '.');
        for (auto& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
        for (std::size_t from = 0; from <= text.size(); from += 1 + random() % 40) {
            const FingerprintHit fast = NextFingerprint(text, from, kPrints);
            const FingerprintHit plain = NextFingerprintScalar(text, from, kPrints);
            ASSERT_EQ(fast.position, plain.position) << text;
            ASSERT_EQ(fast.buckets, plain.buckets) << text;
        }
    }
}

}  // namespace
}  // namespace korva
