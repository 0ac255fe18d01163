#include "counters/fingerprint_scan.hpp"

#include <gtest/gtest.h>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include <random>
#include <string>
#include <vector>

namespace korva {
namespace {

constexpr Fingerprints kPrints = [] {
    Fingerprints prints;
    prints.Add(0, "a", "b", "c");
    prints.Add(1, "\r\n", "E", "i");
    prints.Add(7, "x", "y", "z");
    return prints;
}();

using Hit = std::size_t;

// Every hit from `from` on, block after block.
template <class Scan>
std::vector<Hit> AllHits(std::string_view text, std::size_t from, Scan scan) {
    std::vector<Hit> hits;
    while (true) {
        const FingerprintBlock block = scan(text, from, kPrints);
        if (block.hits == 0) return hits;
        for (std::uint32_t bits = block.hits; bits; bits &= bits - 1) {
            const int j = __builtin_ctz(bits);
            hits.push_back(block.base + j);
        }
        from = block.base + 32;
    }
}

TEST(FingerprintScan, FindsEachFingerprintWhereverItStands) {
    for (std::size_t size = 3; size < 100; ++size) {
        for (std::size_t at = 0; at + 3 <= size; ++at) {
            std::string text(size, '.');
            text.replace(at, 3, "xyz");
            for (std::size_t from = 0; from <= at; from += 5) {
                ASSERT_EQ(AllHits(text, from, NextFingerprintBlock), (std::vector<Hit>{at}))
                    << size << " " << from;
            }
            EXPECT_TRUE(AllHits(text, at + 1, NextFingerprintBlock).empty());
        }
    }
}

TEST(FingerprintScan, ByteClassesAndBucketsCombine) {
    const std::pair<std::string, std::vector<Hit>> rows[] = {
        {"abc", {0}},
        {"\nEi", {0}},
        {"\rEi", {0}},
        {"\r\nEi", {1}},
        {"Ei", {}},
        {"ab", {}},
        {"abd", {}},
        {"", {}},
        {"ayz", {}},  // a class of one bucket with the next classes of another is no hit
        {"abcxyz\nEiabc", {0, 3, 6, 9}},
    };
    for (const auto& [text, hits] : rows) {
        EXPECT_EQ(AllHits(text, 0, NextFingerprintBlock), hits) << text;
    }
}

// A block's breaks are exactly the CR and LF bytes of the text in its 32 positions.
TEST(FingerprintScan, BlocksMarkTheLineBreaksTheyCover) {
    std::mt19937 random(11);
    const char alphabet[] = "abcxyzEi\r\n.";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 120, '.');
        for (auto& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
        for (const auto scan : {NextFingerprintBlock, NextFingerprintBlockScalar}) {
            for (std::size_t from = 0;;) {
                const FingerprintBlock block = scan(text, from, kPrints);
                if (block.hits == 0) break;
                for (std::size_t j = 0; j < 32; ++j) {
                    const std::size_t at = block.base + j;
                    const bool is_break =
                        at < text.size() && (text[at] == '\r' || text[at] == '\n');
                    ASSERT_EQ((block.breaks >> j) & 1, is_break ? 1u : 0u) << text << " at " << at;
                }
                from = block.base + 32;
            }
        }
    }
}

// Whichever path the CPU takes, it finds what the scalar loop finds.
TEST(FingerprintScan, VectorAndScalarPathsAgree) {
    std::mt19937 random(5);
    const char alphabet[] = "abcxyzEi\r\n.";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 200, '.');
        for (auto& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
        for (std::size_t from = 0; from <= text.size(); from += 1 + random() % 40) {
            ASSERT_EQ(AllHits(text, from, NextFingerprintBlock),
                      AllHits(text, from, NextFingerprintBlockScalar))
                << text;
        }
    }
}

// Asked of the CPU directly, apart from the dispatcher: AVX2 needs the instructions and a system
// that saves the 256-bit registers (XCR0 bits 1 and 2).
bool CpuAndSystemRunAvx2() {
#if defined(__x86_64__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE) || !(c & bit_AVX)) return false;
    unsigned xcr0 = 0, xcr0_high = 0;
    __asm__("xgetbv" : "=a"(xcr0), "=d"(xcr0_high) : "c"(0));
    if ((xcr0 & 0x6) != 0x6) return false;
    return __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_AVX2);
#else
    return false;
#endif
}

// On Windows builds this is the proof that the 32-byte code runs there (the stack alignment of
// mingw-w64 is the risk) and not only the scalar fallback.
TEST(FingerprintScan, VectorPathIsTakenWhereTheCpuHasAvx2) {
    if (!CpuAndSystemRunAvx2()) {
        EXPECT_FALSE(VectorPathAvailable());
        GTEST_SKIP() << "no AVX2 on this CPU: only the scalar path can run";
    }
    ASSERT_TRUE(VectorPathAvailable());
    // Long enough for whole 32-byte steps and the copied tail, hits on both sides of each seam.
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::string(static_cast<std::size_t>(i % 37), '.') + "xyz";
    const std::vector<Hit> hits = AllHits(text, 0, NextFingerprintBlock);
    EXPECT_EQ(hits.size(), 50u);
    EXPECT_EQ(hits, AllHits(text, 0, NextFingerprintBlockScalar));
}

}  // namespace
}  // namespace korva
