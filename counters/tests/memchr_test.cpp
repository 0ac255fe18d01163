// The counters cut lines with memchr; the Windows build brings its own
// (counters/text/memchr_windows.cpp), so its edges are tested here against a plain search, wherever
// the library's comes from.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

TEST(Memchr, FindsTheFirstByteAtEveryOffsetLengthAndPosition) {
    // 64 bytes of room on both sides, so starts cover every alignment and searches never leave.
    std::vector<unsigned char> buffer(256, 'a');
    for (std::size_t start = 64; start < 96; ++start) {
        for (std::size_t size = 0; size <= 80; ++size) {
            for (std::size_t at = 0; at <= size + 1; ++at) {
                for (const unsigned char value : {0x00, 0x80, 0xFF}) {
                    std::fill(buffer.begin(), buffer.end(), 'a');
                    buffer[start + at] = value;
                    buffer[start + at + 1] = value;  // only the first one counts
                    const void* found = std::memchr(buffer.data() + start, value, size);
                    const void* expected = at < size ? buffer.data() + start + at : nullptr;
                    ASSERT_EQ(found, expected) << start << " " << size << " " << at;
                }
            }
        }
    }
}

// Starts in the last 16 bytes of a page take another way than the others.
TEST(Memchr, FindsBytesNearTheEndOfAPage) {
    std::vector<unsigned char> buffer(3 * 4096, 'a');
    const auto address = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::size_t page_end = 4096 - address % 4096 + 4096;  // index of a page boundary
    for (std::size_t start = page_end - 20; start < page_end + 4; ++start) {
        for (std::size_t size = 0; size <= 40; ++size) {
            for (std::size_t at = 0; at <= size; ++at) {
                std::fill(buffer.begin(), buffer.end(), 'a');
                buffer[start + at] = 'X';
                const void* expected = at < size ? buffer.data() + start + at : nullptr;
                ASSERT_EQ(std::memchr(buffer.data() + start, 'X', size), expected)
                    << start << " " << size << " " << at;
            }
        }
    }
}

TEST(Memchr, ComparesTheValueAsAnUnsignedByte) {
    const unsigned char bytes[] = {'x', 0xE4, 'y'};
    EXPECT_EQ(std::memchr(bytes, 0xE4, sizeof bytes), bytes + 1);
    EXPECT_EQ(std::memchr(bytes, 0x1E4, sizeof bytes), bytes + 1);  // converted to unsigned char
    EXPECT_EQ(std::memchr(bytes, -28, sizeof bytes), bytes + 1);    // -28 is 0xE4 as a char
    EXPECT_EQ(std::memchr(bytes, 'z', sizeof bytes), nullptr);
}

}  // namespace
