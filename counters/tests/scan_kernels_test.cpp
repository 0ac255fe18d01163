// Every scan on every kernel this CPU runs (see every_kernel.hpp), at the edges of their 32-byte
// steps: the prefilter against the plain definition of a hit, the line bounds and marks against
// a byte-by-byte search, and the whole-text scans, a line at every offset, at the very end of the
// text and longer than a step, against the scalar kernel.
#include <gtest/gtest.h>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "counters/pluen_counter.hpp"
#include "counters/sabo_counter.hpp"
#include "counters/scans/building_scan.hpp"
#include "counters/scans/fingerprint_scan.hpp"
#include "counters/scans/resource_scan.hpp"
#include "counters/text/line_bounds.hpp"
#include "counters/text/line_breaks.hpp"
#include "counters/text/report_lines.hpp"
#include "every_kernel.hpp"
#include "oracle.hpp"

namespace korva {
namespace {

INSTANTIATE_TEST_SUITE_P(ThisCpu, EveryKernel, testing::ValuesIn(KernelsThisCpuRuns()),
                         [](const testing::TestParamInfo<KernelPath>& info) {
                             return std::string(info.param.name);
                         });

constexpr Fingerprints kPrints = [] {
    Fingerprints prints;
    prints.Add(0, "a", "b", "c");
    prints.Add(1, "\r\n", "E", "i");
    prints.Add(7, "x", "y", "z");
    prints.Add(2, "q", "r", std::string_view("\0", 1));  // as the padding past a text's end
    return prints;
}();

using Hit = std::size_t;

// Every hit from `from` on, block after block.
std::vector<Hit> AllHits(std::string_view text, std::size_t from, ScanPath path) {
    std::vector<Hit> hits;
    while (true) {
        const FingerprintBlock block = NextFingerprintBlock(text, from, kPrints, path);
        if (block.hits == 0) return hits;
        for (std::uint32_t bits = block.hits; bits; bits &= bits - 1) {
            const int j = __builtin_ctz(bits);
            hits.push_back(block.base + j);
        }
        from = block.base + 32;
    }
}

TEST_P(EveryKernel, FindsEachFingerprintWhereverItStands) {
    for (std::size_t size = 3; size < 100; ++size) {
        for (std::size_t at = 0; at + 3 <= size; ++at) {
            std::string text(size, '.');
            text.replace(at, 3, "xyz");
            for (std::size_t from = 0; from <= at; from += 5) {
                ASSERT_EQ(AllHits(text, from, Path()), (std::vector<Hit>{at}))
                    << size << " " << from;
            }
            EXPECT_TRUE(AllHits(text, at + 1, Path()).empty());
        }
    }
}

TEST_P(EveryKernel, FingerprintClassesAndBucketsCombine) {
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
        {"qr", {}},  // its third byte would be past the end
        {std::string("qr\0", 3), {0}},
        {std::string(40, '.') + "qr", {}},
    };
    for (const auto& [text, hits] : rows) EXPECT_EQ(AllHits(text, 0, Path()), hits) << text;
}

// Random texts of the prefilter's bytes and line breaks.
std::string RandomText(std::mt19937& random, std::size_t longest) {
    const char alphabet[] = "abcxyzEi\r\n.";
    std::string text(random() % longest, '.');
    for (auto& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
    return text;
}

// A block's breaks are exactly the CR and LF bytes of the text in its 32 positions.
TEST_P(EveryKernel, FingerprintBlocksMarkTheLineBreaksTheyCover) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = RandomText(random, 120);
        for (std::size_t from = 0;;) {
            const FingerprintBlock block = NextFingerprintBlock(text, from, kPrints, Path());
            if (block.hits == 0) break;
            for (std::size_t j = 0; j < 32; ++j) {
                const std::size_t at = block.base + j;
                const bool is_break = at < text.size() && (text[at] == '\r' || text[at] == '\n');
                ASSERT_EQ((block.breaks >> j) & 1, is_break ? 1u : 0u) << text << " at " << at;
            }
            from = block.base + 32;
        }
    }
}

TEST_P(EveryKernel, FindsTheFingerprintsTheScalarKernelFinds) {
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = RandomText(random, 200);
        for (std::size_t from = 0; from <= text.size(); from += 1 + random() % 40) {
            ASSERT_EQ(AllHits(text, from, Path()), AllHits(text, from, ScanPath::kScalar)) << text;
        }
    }
}

// The kernel CPUID names, asked apart from the dispatcher: AVX2 needs the instructions and a
// system that saves the 256-bit registers (XCR0 bits 1 and 2), SSE4.2 the instructions and POPCNT.
std::string_view KernelCpuidNames() {
#if defined(__wasm_simd128__)
    return "wasm_simd";
#elif defined(__x86_64__)
    unsigned a = 0, b = 0, c = 0, d = 0, xcr0 = 0, xcr0_high = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_SSE4_2) || !(c & bit_POPCNT)) return "scalar";
    if (!(c & bit_OSXSAVE) || !(c & bit_AVX)) return "sse42";
    __asm__("xgetbv" : "=a"(xcr0), "=d"(xcr0_high) : "c"(0));
    const bool avx2 = __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_AVX2);
    return (xcr0 & 0x6) == 0x6 && avx2 ? "avx2" : "sse42";
#else
    return "scalar";
#endif
}

// The dispatch takes the kernel CPUID names, also in the tests' runs under qemu on older CPUs
// (*.without_avx2, *.without_avx, *.without_sse42).
// On Windows builds this is also the proof that the 32-byte code runs there (the stack
// alignment of mingw-w64 is the risk), in the web page's SIMD module that its 128-bit code runs,
// and not only the scalar fallback.
TEST(ScanKernels, TheFastestKernelIsTheOneCpuidNames) {
    const std::vector<KernelPath> kernels = KernelsThisCpuRuns();
    ASSERT_FALSE(kernels.empty());
    EXPECT_EQ(kernels.front().name, "scalar");
    ASSERT_EQ(kernels.back().name, KernelCpuidNames());
    // Long enough for whole 32-byte steps and the copied tail, hits on both sides of each seam.
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::string(static_cast<std::size_t>(i % 37), '.') + "xyz";
    const std::vector<Hit> hits = AllHits(text, 0, ScanPath::kFastest);
    EXPECT_EQ(hits.size(), 50u);
    EXPECT_EQ(hits, AllHits(text, 0, ScanPath::kScalar));
}

// A path names a kernel by its place in the list; one that this CPU cannot run, or that does not
// exist, takes the scalar kernel instead of instructions the CPU may lack.
TEST(ScanKernels, EveryPathTakesAKernelThisCpuRuns) {
    const std::vector<KernelPath> kernels = KernelsThisCpuRuns();
    EXPECT_EQ(KernelToRun(ScanPath::kFastest), static_cast<std::size_t>(kernels.back().path));
    for (const KernelPath& kernel : kernels) {
        EXPECT_EQ(KernelToRun(kernel.path), static_cast<std::size_t>(kernel.path)) << kernel.name;
    }
    for (const int place : {31, 32, 200}) {
        const auto path = static_cast<ScanPath>(place);
        EXPECT_EQ(KernelToRun(path), 0u) << place;
        EXPECT_EQ(AllHits("abc xyz", 0, path), (std::vector<Hit>{0, 4})) << place;
    }
}

// Lines from empty to a few hundred bytes, so that the 32-byte steps meet every edge.
TEST_P(EveryKernel, LineBoundsAgreeWithAByteByByteSearchAtEveryPosition) {
    std::mt19937 random(17);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        while (text.size() < 400) {
            text += std::string(random() % (round % 3 == 0 ? 200 : 40), 'x');
            text += "\r\n\r\n\n"[random() % 5];
        }
        for (std::size_t at = 0; at < text.size(); ++at) {
            std::size_t begin = at;
            while (begin > 0 && text[begin - 1] != '\r' && text[begin - 1] != '\n') --begin;
            std::size_t end = at;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
            ASSERT_EQ(LineBegin(text, at, Path()), begin) << at;
            ASSERT_EQ(LineEnd(text, at, Path()), end) << at;
        }
    }
}

// Breaks counted between every two line starts, CR LF pairs across a step's edge and a CR at
// the very end among them, and runs of breaks longer than a byte counts (line 301, not 45).
TEST_P(EveryKernel, BreaksBetweenLineStartsAgreeWithAByteByByteCount) {
    std::mt19937 random(19);
    for (int round = 0; round < 40; ++round) {
        std::string text = round < 2 ? std::string(300, "\n\r"[round]) : "";
        while (text.size() < 300) {
            text += std::string(random() % (round % 2 ? 70 : 3), 'x');
            text += "\r\n\r\n\n"[random() % 5];
            if (random() % 4 == 0) text += '\n';
        }
        if (round % 3 == 0) text.pop_back();
        std::vector<std::size_t> starts = {0};
        std::vector<std::uint64_t> breaks_before = {0};  // breaks before each of starts
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool ends = text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n');
            if (!ends) continue;
            starts.push_back(i + 1);
            breaks_before.push_back(breaks_before.back() + 1);
        }
        for (std::size_t a = 0; a < starts.size(); ++a) {
            for (std::size_t b = a; b < starts.size(); ++b) {
                ASSERT_EQ(BreaksBetween(text, starts[a], starts[b], Path()),
                          breaks_before[b] - breaks_before[a])
                    << round << ": " << starts[a] << " to " << starts[b];
            }
        }
    }
}

TEST_P(EveryKernel, LineBoundsOfATextWithoutBreaks) {
    const std::string text(100, 'x');
    EXPECT_EQ(LineBegin(text, 99, Path()), 0u);
    EXPECT_EQ(LineEnd(text, 0, Path()), 100u);
    EXPECT_EQ(LineEnd(text, 100, Path()), 100u);
    EXPECT_EQ(LineBegin("", 0, Path()), 0u);
    EXPECT_EQ(LineEnd("", 0, Path()), 0u);
}

// The marks of the first "(" and ")" and of any 0x00 byte, wherever they fall in the 32-byte
// steps; a line break in the line is a byte like any other.
TEST_P(EveryKernel, LineMarksAreTheFirstBracketsAndAnyNul) {
    std::mt19937 random(23);
    const char alphabet[] = {'(', ')', '\0', '\r', '\n', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 100, 'x');
        for (auto& c : line) c = alphabet[random() % sizeof alphabet];
        const LineMarks marks = MarksOf(line, Path());
        EXPECT_EQ(marks.open, line.find('(') + 1) << line;  // npos + 1 is 0
        EXPECT_EQ(marks.close, line.find(')') + 1) << line;
        EXPECT_EQ(marks.nul, line.find('\0') != std::string::npos) << line;
    }
}

struct Seen {
    std::size_t begin;
    std::string line;
    std::uint16_t named;
    std::size_t open;
    std::size_t close;
    bool nul;
    bool ascii;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> NamedLinesOf(const std::string& text, ScanPath path) {
    std::vector<Seen> seen;
    ForEachLineNamingBuildings(
        text,
        [&](const NamedLine& l) {
            seen.push_back({static_cast<std::size_t>(l.line.data() - text.data()),
                            std::string(l.line), l.named, l.marks.open, l.marks.close, l.marks.nul,
                            l.ascii});
        },
        path);
    return seen;
}

std::vector<Seen> KeywordLinesOf(const std::string& text, ScanPath path) {
    std::vector<Seen> seen;
    ForEachLineOpeningWithKeyword(
        text,
        [&](std::string_view line, bool ascii) {
            seen.push_back({static_cast<std::size_t>(line.data() - text.data()), std::string(line),
                            0, 0, 0, false, ascii});
        },
        path);
    return seen;
}

// Calls check(text) for lines that a counter counts, each put after padding of every length from
// 0 to 70, with and without a final break, so that names, brackets and breaks fall on every side
// of a step.
template <class Check>
void ForEachCountedLineAtEveryOffset(Check check) {
    const std::vector<std::string> counted_lines = {
        "Eisenmine (4)",
        "(3) 12:00 Eisenmine (4) und Bohrturm",
        "Wohngeb\xE4ude (2)",
        "Wohngeb\xC3\xA4ude (2)",  // UTF-8, named only once decoded
        std::string("Eisenmine (4\0)", 15),
        "Kohlenstoffgewinnungsanlage (7) Forschungszentrum Forschungszentrum Schiffsfabrik (9)",
        "Eisen 1500",
        "Wasserstoff\t230",
        "Sauerstoff 12 \xE4",
        "Kohlenstoff",
    };
    for (const std::string& counted : counted_lines) {
        for (std::size_t pad = 0; pad <= 70; ++pad) {
            for (const char* end : {"", "\r\n", "\r", "\n"}) {
                // After it: nothing, a plain line, or brackets that belong to the next line.
                const std::string after[] = {"", std::string(pad, 'y'), "(9) Eisen 5"};
                const std::string text =
                    std::string(pad, 'x') + "\n" + counted + end + after[pad % 3];
                SCOPED_TRACE(testing::Message() << "pad " << pad << ": " << text);
                check(text);
                if (testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

TEST_P(EveryKernel, WholeTextScansVisitWhatTheScalarKernelVisitsAtEveryOffset) {
    ForEachCountedLineAtEveryOffset([](const std::string& text) {
        ASSERT_EQ(NamedLinesOf(text, Path()), NamedLinesOf(text, ScanPath::kScalar));
        ASSERT_EQ(KeywordLinesOf(text, Path()), KeywordLinesOf(text, ScanPath::kScalar));
    });
}

TEST(ScanKernels, WholeTextCountsAsTheRowRulesAtEveryOffset) {
    ForEachCountedLineAtEveryOffset([](const std::string& text) {
        SaboTally sabo;
        PluenTally pluen;
        sabo.AddText(text);
        pluen.AddText(text);
        const ReportLines lines = DivideIntoLines(text);
        ASSERT_EQ(sabo.Lines(), oracle::Sabo(lines));
        ASSERT_EQ(pluen.Lines(), oracle::Pluen(lines));
    });
}

// What the building scan reports of a line.
TEST_P(EveryKernel, FindingsOfANamedLine) {
    struct Row {
        std::string text;
        std::uint16_t named;
        std::size_t open, close;
        bool nul, ascii;
    };
    const Row rows[] = {
        {"Eisenmine (4)", 1u << 4, 11, 13, false, true},
        {"a)b(Bohrturm", 1u << 7, 4, 2, false, true},
        {"Wohngeb\xE4ude (2)", 1u << 2, 13, 15, false, false},
        {"Wohngeb\xC3\xA4ude", 0, 0, 0, false, false},  // looked at: it may decode to a name
        {std::string("Raumhafen\0(5)", 13), 1u << 1, 11, 13, true, true},
        {"Forschungszentrum" + std::string(40, ' ') + "Raumhafen (1)", (1u << 13) | (1u << 1), 68,
         70, false, true},
    };
    for (const Row& row : rows) {
        const auto seen = NamedLinesOf("x\r\n" + row.text + "\r\ny", Path());
        ASSERT_EQ(seen.size(), 1u) << row.text;
        EXPECT_EQ(seen[0], (Seen{3, row.text, row.named, row.open, row.close, row.nul, row.ascii}));
    }
}

}  // namespace
}  // namespace korva
