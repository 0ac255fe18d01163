// TextPos, TextSub and TextTrim on arbitrary bytes. The input is read as: index and count for
// TextSub, the needle's length, the needle, and the rest as the text.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "counters/text/text_ops.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;
using korva::fuzz::UpToNul;

class Reader {
  public:
    explicit Reader(std::string_view data) : data_(data) {}

    std::uint8_t Byte() {
        if (data_.empty()) return 0;
        const auto byte = static_cast<std::uint8_t>(data_.front());
        data_.remove_prefix(1);
        return byte;
    }

    // Mostly small values around the text's length, where the edges are; a selector with its
    // top bit set takes eight raw bytes, for the far ends of the 64-bit range.
    std::int64_t Number() {
        const std::uint8_t selector = Byte();
        std::uint64_t bits = 0;
        const int bytes = selector & 0x80 ? 8 : 2;
        for (int i = 0; i < bytes; ++i) bits = bits << 8 | Byte();
        if (bytes == 8) return static_cast<std::int64_t>(bits);
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
    }

    std::string_view Take(std::size_t n) {
        const std::string_view taken = data_.substr(0, n);
        data_.remove_prefix(taken.size());
        return taken;
    }

    std::string_view Rest() const { return data_; }

  private:
    std::string_view data_;
};

// Whether piece is a view into text, the empty view anywhere counting as one.
bool Within(std::string_view piece, std::string_view text) {
    if (piece.empty()) return true;
    const auto begin = reinterpret_cast<std::uintptr_t>(text.data());
    const auto at = reinterpret_cast<std::uintptr_t>(piece.data());
    return at >= begin && at - begin + piece.size() <= text.size();
}

bool Blank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool AllBlank(std::string_view text) {
    for (const char c : text) {
        if (!Blank(c)) return false;
    }
    return true;
}

void CheckPos(std::string_view needle, std::string_view text) {
    const std::int64_t r = korva::TextPos(needle, text);
    const std::string_view n = UpToNul(needle);
    const std::string_view t = UpToNul(text);
    std::int64_t expected = 0;
    if (!n.empty() && !t.empty()) {
        const auto k = t.find(n);
        if (k != std::string_view::npos) expected = static_cast<std::int64_t>(k) + 1;
    }
    Require(r == expected, "TextPos is the first occurrence within the 0x00-cut texts");
    if (r > 0) {
        Require(t.substr(static_cast<std::size_t>(r - 1), n.size()) == n,
                "TextPos points at the needle");
    }
}

void CheckSub(std::string_view text, std::int64_t index, std::int64_t count) {
    const std::string_view sub = korva::TextSub(text, index, count);
    const auto length = static_cast<std::int64_t>(text.size());
    Require(Within(sub, text), "TextSub gives a piece of its text");
    if (index > length || count <= 0) {
        Require(sub.empty(), "TextSub is empty past the end or for a count <= 0");
        return;
    }
    const std::int64_t from = index < 1 ? 1 : index;
    const std::int64_t available = length - from + 1;
    const std::int64_t expected = count < available ? count : available;
    Require(static_cast<std::int64_t>(sub.size()) == expected,
            "TextSub's length is min(count, length - index + 1), index raised to 1");
    Require(sub.empty() || sub.data() == text.data() + (from - 1), "TextSub starts at index");

    // A piece cut from the searched part of the text is found there, at its own place or before.
    const std::string_view searched = UpToNul(text);
    const auto offset = static_cast<std::size_t>(from - 1);
    if (!sub.empty() && offset + sub.size() <= searched.size()) {
        const std::int64_t r = korva::TextPos(sub, text);
        Require(r >= 1 && r <= from, "a piece of the text is found no later than where it was cut");
    }
}

void CheckTrim(std::string_view text) {
    const std::string_view trimmed = korva::TextTrim(text);
    Require(Within(trimmed, text), "TextTrim gives a piece of its text");
    if (trimmed.empty()) {
        Require(AllBlank(text), "TextTrim is empty only for a text of bytes <= 0x20");
        return;
    }
    Require(!Blank(trimmed.front()) && !Blank(trimmed.back()),
            "TextTrim leaves no byte <= 0x20 at either end");
    const auto begin = static_cast<std::size_t>(trimmed.data() - text.data());
    Require(AllBlank(text.substr(0, begin)) && AllBlank(text.substr(begin + trimmed.size())),
            "TextTrim removes only bytes <= 0x20");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader reader(korva::fuzz::AsText(data, size));
    const std::int64_t index = reader.Number();
    const std::int64_t count = reader.Number();
    const std::string_view needle = reader.Take(reader.Byte());
    const std::string_view text = reader.Rest();

    CheckPos(needle, text);
    CheckPos(text, needle);
    CheckSub(text, index, count);
    CheckSub(needle, count, index);
    CheckTrim(text);
    CheckTrim(needle);
    return 0;
}
