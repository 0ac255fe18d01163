#include "frontends/cli/input.hpp"

#include <algorithm>
#include <cerrno>

#include "counters/text/cp1252.hpp"
#include "counters/text/line_bounds.hpp"
#include "counters/text/report_lines.hpp"
#include "frontends/cli/input_file.hpp"

namespace korva::cli {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Position of the last CR or LF in text, or kNone. Looks for the LF first: in files with LF or
// CR LF breaks the CR search then covers only the few bytes after it. Both searches start at the
// end, where the last break of a chunk is.
std::size_t LastBreak(std::string_view text) {
    const std::size_t lf = text.rfind('\n');
    const std::size_t after_lf = lf == kNone ? 0 : lf + 1;
    const std::size_t cr = text.substr(after_lf).rfind('\r');
    if (cr != kNone) return after_lf + cr;
    return lf;
}

ReadTextsResult ReadAll(InputFile& file, Encoding encoding, std::span<char> buffer,
                        TextSink on_text) {
    ReportDecoder decoder(encoding);
    while (true) {
        const auto [n, error] = file.Read(buffer);
        if (error != 0) return {error, decoder.file_start()};
        if (n == 0) break;
        decoder.Feed(std::string_view(buffer.data(), n), on_text);
    }
    decoder.Finish(on_text);
    return {0, decoder.file_start()};
}

}  // namespace

void ReportDecoder::Feed(std::string_view chunk, TextSink on_text) {
    if (!decided_) {
        const std::size_t wanted = FileStartSize(encoding_) - head_.size();
        head_.append(chunk.substr(0, wanted));
        chunk.remove_prefix(std::min(wanted, chunk.size()));
        if (head_.size() < FileStartSize(encoding_)) return;
        DecideForm(on_text);
    }
    FeedContent(chunk, on_text);
}

void ReportDecoder::Finish(TextSink on_text) {
    if (!decided_) DecideForm(on_text);
    if (start_.form != TextForm::kBytes) FeedUtf16({}, true, on_text);
    if (!partial_.empty()) EmitText(partial_, on_text);
    partial_.clear();
}

void ReportDecoder::DecideForm(TextSink on_text) {
    start_ = FileStartOf(head_, encoding_);
    decided_ = true;
    const std::string head = std::move(head_);
    head_.clear();
    FeedContent(std::string_view(head).substr(start_.mark_size), on_text);
}

void ReportDecoder::FeedContent(std::string_view bytes, TextSink on_text) {
    if (bytes.empty()) return;
    if (start_.form == TextForm::kBytes) {
        DivideIntoTexts(bytes, on_text);
    } else {
        FeedUtf16(bytes, false, on_text);
    }
}

void ReportDecoder::FeedUtf16(std::string_view bytes, bool at_end, TextSink on_text) {
    const bool little_endian = start_.form == TextForm::kUtf16Le;
    const auto unit = [little_endian](unsigned char first, unsigned char second) {
        return static_cast<char16_t>(little_endian ? first | second << 8 : first << 8 | second);
    };
    std::size_t i = 0;
    if (has_odd_byte_ && !bytes.empty()) {
        units_.push_back(unit(odd_byte_, static_cast<unsigned char>(bytes[0])));
        has_odd_byte_ = false;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2) {
        units_.push_back(
            unit(static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(bytes[i + 1])));
    }
    if (i < bytes.size()) {
        odd_byte_ = static_cast<unsigned char>(bytes[i]);
        has_odd_byte_ = true;
    }

    std::u16string_view ready = units_;
    if (!at_end && !ready.empty() && IsHighSurrogate(ready.back())) ready.remove_suffix(1);
    // Divided after decoding: only the code units CR and LF become those bytes.
    std::string decoded = Utf16ToCp1252(ready);
    units_.erase(0, ready.size());
    if (at_end && has_odd_byte_) {
        decoded.push_back('?');
        has_odd_byte_ = false;
    }
    if (!decoded.empty()) DivideIntoTexts(decoded, on_text);
}

void ReportDecoder::DivideIntoTexts(std::string_view bytes, TextSink on_text) {
    if (!partial_.empty() && partial_.back() == '\r') {
        // A line held back because its CR ended the last chunk: an LF here completes the break.
        if (bytes.front() == '\n') {
            partial_.push_back('\n');
            bytes.remove_prefix(1);
        }
        EmitText(partial_, on_text);
        partial_.clear();
        if (bytes.empty()) return;
    }
    if (!partial_.empty()) {
        // Complete the line the last chunk left open, break included.
        const std::size_t line_end = LineEnd(bytes, 0);
        std::size_t end = line_end + 1;
        const bool open = line_end == bytes.size() ||
                          (bytes[line_end] == '\r' && end == bytes.size());  // an LF may follow
        if (open) {
            partial_.append(bytes);
            return;
        }
        if (bytes[line_end] == '\r' && bytes[end] == '\n') ++end;
        partial_.append(bytes.substr(0, end));
        EmitText(partial_, on_text);
        partial_.clear();
        bytes.remove_prefix(end);
        if (bytes.empty()) return;
    }
    const std::size_t last = LastBreak(bytes);
    if (last == kNone) {
        partial_.assign(bytes);
        return;
    }
    // A CR at the very end may be the first half of a CR LF: its line waits for the next chunk.
    const std::size_t end =
        last + 1 == bytes.size() && bytes[last] == '\r' ? LineBegin(bytes, last) : last + 1;
    if (end > 0) EmitText(bytes.substr(0, end), on_text);
    partial_.assign(bytes.substr(end));
}

void ReportDecoder::EmitText(std::string_view text, TextSink on_text) {
    if (start_.form != TextForm::kBytes || encoding_ == Encoding::kCp1252) {
        on_text(text, [](std::string_view line) { return line; });
    } else {
        on_text(text, [this](std::string_view line) { return DecodeLine(line); });
    }
}

std::string_view ReportDecoder::DecodeLine(std::string_view line) {
    // In kAuto one invalid piece makes the whole line Windows-1252.
    if (encoding_ == Encoding::kAuto && !IsValidUtf8(line)) return line;
    return Utf8LineToCp1252(line, scratch_);
}

void ForEachText(std::string_view bytes, Encoding encoding, TextSink on_text,
                 std::size_t chunk_size, ReportDecoder::Start start) {
    ReportDecoder decoder(encoding, start);
    chunk_size = std::max<std::size_t>(chunk_size, 1);
    while (!bytes.empty()) {
        const std::size_t n = std::min(chunk_size, bytes.size());
        decoder.Feed(bytes.substr(0, n), on_text);
        bytes.remove_prefix(n);
    }
    decoder.Finish(on_text);
}

void ForEachDecodedLine(std::string_view bytes, Encoding encoding, LineVisitor on_line,
                        std::size_t chunk_size) {
    ForEachText(
        bytes, encoding,
        [&](std::string_view text, LineDecoder decode) {
            ForEachLine(text, [&](std::string_view line) { on_line(decode(line)); });
        },
        chunk_size);
}

ReadTextsResult ReadTexts(const std::string& name, Encoding encoding, std::span<char> buffer,
                          TextSink on_text) {
    InputFile file;
    if (const int error = file.Open(name)) return {error, {}};
    return ReadAll(file, encoding, buffer, on_text);
}

}  // namespace korva::cli
