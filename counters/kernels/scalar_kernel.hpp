// The scalar kernel: the pieces of the one-pass scans in plain C++, for any CPU, and the one every
// other kernel is tested against. Its loops are compiled in scalar_kernel.cpp; the vector kernels
// take a few of its pieces for what is shorter than one of their steps.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "counters/kernels/fingerprints.hpp"
#include "counters/kernels/line_facts.hpp"

namespace korva::kernels {

struct ScalarKernel {
    // Whether SameBytesMask and ShortLineAt are there, cheap enough to check a name in one go.
    static constexpr bool kWideCompare = false;

    explicit ScalarKernel(const Fingerprints& prints) : prints(prints) {}

    FingerprintBlock Next(std::string_view text, std::size_t from) const {
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        FingerprintBlock block{text.size(), 0, 0};
        for (std::size_t i = from; i + 3 <= text.size(); ++i) {
            if (BucketsAt(p + i) == 0) continue;
            if (block.hits == 0) block.base = i;
            if (i - block.base >= 32) break;
            block.hits |= 1u << (i - block.base);
        }
        for (std::size_t j = 0; block.hits && j < 32 && block.base + j < text.size(); ++j) {
            if (IsLineBreak(text[block.base + j])) block.breaks |= 1u << j;
        }
        return block;
    }

    // Next for one call alone, as on a single line.
    static FingerprintBlock NextIn(std::string_view text, std::size_t from,
                                   const Fingerprints& prints) {
        return ScalarKernel(prints).Next(text, from);
    }

    // Next for prints whose first class is exactly CR and LF.
    FingerprintBlock NextAfterBreak(std::string_view text, std::size_t from) const {
        return Next(text, from);
    }

    static std::size_t LineBegin(std::string_view text, std::size_t position) {
        while (position > 0 && !IsLineBreak(text[position - 1])) --position;
        return position;
    }

    static LineFacts LineFrom(std::string_view text, std::size_t begin) {
        LineFacts facts{text.size(), {0, 0, false}, true};
        for (std::size_t i = begin; i < text.size(); ++i) {
            const char c = text[i];
            if (IsLineBreak(c)) {
                facts.end = i;
                break;
            }
            AddMark(c, i - begin + 1, facts.marks);
            if (static_cast<unsigned char>(c) >= 0x80) facts.ascii = false;
        }
        return facts;
    }

    static LineEnd LineEndFrom(std::string_view text, std::size_t begin) {
        bool ascii = true;
        for (std::size_t i = begin; i < text.size(); ++i) {
            if (IsLineBreak(text[i])) return {i, ascii};
            if (static_cast<unsigned char>(text[i]) >= 0x80) ascii = false;
        }
        return {text.size(), ascii};
    }

    // The line breaks in text[from, to): each LF, and each CR whose next byte is no LF. Summed in
    // bytes over blocks of 255, which the compiler keeps in vector lanes where it can.
    static std::uint64_t BreaksIn(std::string_view text, std::size_t from, std::size_t to) {
        if (from >= to) return 0;
        const char* const p = text.data();
        std::uint64_t breaks = 0;
        const std::size_t last = to - 1;
        for (std::size_t i = from; i < last;) {
            const std::size_t end = std::min(last, i + 255);
            std::uint8_t block = 0;
            for (; i < end; ++i) {
                block += (p[i] == '\n') | ((p[i] == '\r') & (p[i + 1] != '\n'));
            }
            breaks += block;
        }
        return breaks + IsLineBreak(p[last]);
    }

    // The marks of the whole of line, line breaks or not.
    static LineMarks MarksOf(std::string_view line) {
        LineMarks marks{0, 0, false};
        for (std::size_t i = 0; i < line.size(); ++i) AddMark(line[i], i + 1, marks);
        return marks;
    }

    const Fingerprints& prints;

  private:
    // The buckets whose three classes hold the three bytes from p.
    std::uint8_t BucketsAt(const unsigned char* p) const {
        std::uint8_t buckets = 0xFF;
        for (int k = 0; k < 3; ++k) buckets &= prints.lo[k][p[k] & 0x0F] & prints.hi[k][p[k] >> 4];
        return buckets;
    }

    // Folds c, at 1-based position in its line, into marks.
    static void AddMark(char c, std::size_t position, LineMarks& marks) {
        if (c == '(' && marks.open == 0) marks.open = position;
        if (c == ')' && marks.close == 0) marks.close = position;
        if (c == '\0') marks.nul = true;
    }
};

}  // namespace korva::kernels
