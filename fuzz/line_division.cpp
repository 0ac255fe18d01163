// Line division of a whole text against the byte-by-byte division; and the
// command line's decoding of a file in every encoding mode against division followed by the
// codec, line by line. The input is read as: a first byte (low three bits: the number of chunk
// sizes less one; next two bits: the file's byte-order mark, none, UTF-8, UTF-16 LE or UTF-16 BE),
// the chunk sizes (cycled; 0 feeds an empty chunk), and the text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "counters/tests/oracle.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/cli/input.hpp"
#include "frontends/cli/tests/decoded_at_once.hpp"
#include "fuzz/require.hpp"

namespace {

using korva::fuzz::Require;
using Lines = std::vector<std::string>;

using korva::cli::Encoding;

struct Input {
    std::string_view chunk_sizes;
    std::string_view text;
    std::string_view mark;
};

Input Split(std::string_view data) {
    if (data.empty()) return {};
    static constexpr std::string_view kMarks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    const auto first = static_cast<std::uint8_t>(data.front());
    const std::size_t n = 1 + first % 8;
    data.remove_prefix(1);
    const std::string_view sizes = data.substr(0, n);
    data.remove_prefix(sizes.size());
    return {sizes, data, kMarks[(first >> 3) % 4]};
}

// The texts the decoder hands on, put together, and the lines it gives.
using Decoding = korva::cli_test::DecodedAtOnce;

// Fed to the decoder in the given chunk sizes, checking what each text promises on the way.
Decoding Decoded(std::string_view file, Encoding encoding, std::string_view sizes) {
    Decoding decoding;
    bool unended_text_seen = false;
    const auto on_text = [&](std::string_view text, korva::LineDecoder decode) {
        Require(!text.empty(), "the decoder hands on no empty text");
        Require(!unended_text_seen, "only the last text may end without a break");
        Require(!(decoding.content.ends_with('\r') && text.front() == '\n'),
                "no CR LF is split between two texts");
        unended_text_seen = text.back() != '\r' && text.back() != '\n';
        decoding.content.append(text);
        korva::ForEachLine(text, [&](std::string_view line) {
            const std::string_view decoded = decode(line);
            Require(decoded != line || decoded.data() == line.data(),
                    "a line that needs no decoding comes back as the very same view");
            Require(decoded.find_first_of("\r\n") == std::string_view::npos,
                    "no decoded line holds a CR or LF");
            decoding.lines.emplace_back(decoded);
        });
    };
    korva::cli::ReportDecoder decoder(encoding);
    std::size_t at = 0;
    for (std::size_t k = 0; at < file.size(); ++k) {
        std::size_t size =
            sizes.empty() ? 1 : static_cast<std::uint8_t>(sizes[k % sizes.size()]) % 64;
        if (size == 0 && k % sizes.size() == sizes.size() - 1) size = 1;  // always get on
        decoder.Feed(file.substr(at, size), on_text);
        at += size;
    }
    decoder.Finish(on_text);
    return decoding;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Split(korva::fuzz::AsText(data, size));
    const Lines expected = korva::oracle::Lines(input.text);

    const korva::ReportLines whole = korva::DivideIntoLines(input.text);
    Require(Lines(whole.begin(), whole.end()) == expected, "DivideIntoLines divides byte by byte");
    for (const std::string_view line : whole) {
        Require(
            line.empty() || (line.data() >= input.text.data() &&
                             line.data() + line.size() <= input.text.data() + input.text.size()),
            "whole-text lines are views into the text");
    }

    const std::string file = std::string(input.mark) + std::string(input.text);
    for (const Encoding encoding : {Encoding::kAuto, Encoding::kUtf8, Encoding::kCp1252}) {
        Require(!korva::cli::FileStartOf(file, encoding).guessed ||
                    file.find('\0') != std::string_view::npos,
                "UTF-16 is never guessed without zero bytes");
        const Decoding expected = korva::cli_test::DecodeAtOnce(file, encoding);
        const Decoding decoding = Decoded(file, encoding, input.chunk_sizes);
        Require(decoding.content == expected.content,
                "the texts put together are the content after the mark, UTF-16 decoded");
        Require(decoding.lines == expected.lines,
                "decoding in chunks gives the lines divided, then decoded one by one");
        Lines whole;
        korva::cli::ForEachDecodedLine(
            file, encoding, [&whole](std::string_view line) { whole.emplace_back(line); });
        Require(whole == expected.lines,
                "ForEachDecodedLine gives the lines divided, then decoded");
    }
    return 0;
}
