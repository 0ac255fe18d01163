// Reading report files: raw bytes in any of the supported encodings become Windows-1252 text,
// streamed, so that input of any size is counted in constant memory.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "counters/text/function_ref.hpp"
#include "frontends/cli/text_form.hpp"

namespace korva::cli {

// Receives a text of whole lines as they were read, and how to turn any one of its lines into
// Windows-1252. decode hands back the very view it was given when a line needs no change, and
// what it returns stays valid until its next call.
using TextSink = FunctionRef<void(std::string_view text, LineDecoder decode)>;

// Divides the bytes of one file, arriving in chunks of any size, into texts made of whole lines:
// put together, the texts are the file's content (after its byte-order mark); each ends with its
// last line's break (CR LF, lone CR or lone LF), only the last one may end without one, and a
// CR LF is never split between two. So dividing each text on its own gives the file's lines.
// Decoding is left to each line, and only for the lines a counter looks at: the break bytes are
// ASCII in every supported encoding but UTF-16, so lines are found before anything is decoded.
// The first bytes decide how the file is read (FileStartOf): a UTF-8 byte-order mark at the very
// start is skipped in every mode; in kAuto UTF-16, by its mark or by its zero bytes, is decoded
// before it is divided. Until they decide, those first bytes are held back.
class ReportDecoder {
  public:
    // Where the bytes fed begin: at the start of a file, where a byte-order mark may stand, or
    // inside one, right after a line break (the second half of a file counted in two).
    enum class Start { kFileStart, kAfterLineBreak };

    explicit ReportDecoder(Encoding encoding, Start start = Start::kFileStart)
        : encoding_(encoding), decided_(start == Start::kAfterLineBreak) {}

    void Feed(std::string_view chunk, TextSink on_text);

    // Delivers whatever the end of the file completes: a last line without a break, an odd
    // UTF-16 byte or an unpaired surrogate (each "?").
    void Finish(TextSink on_text);

    // How the file is read, once its first bytes have decided (at the latest after Finish).
    const FileStart& file_start() const { return start_; }

  private:
    void DecideForm(TextSink on_text);
    void FeedContent(std::string_view bytes, TextSink on_text);
    void FeedUtf16(std::string_view bytes, bool at_end, TextSink on_text);
    void DivideIntoTexts(std::string_view bytes, TextSink on_text);
    void EmitText(std::string_view text, TextSink on_text);
    std::string_view DecodeLine(std::string_view line);

    Encoding encoding_;
    bool decided_;
    FileStart start_;
    std::string head_;  // the first bytes, held until they decide
    // The last line of the chunks so far, not handed on yet: unended, or ended by a CR that an
    // LF opening the next chunk would complete.
    std::string partial_;
    std::string scratch_;  // the last decoded line, reused so that decoding costs no allocation
    // UTF-16: a byte waiting for its partner, and the code units of the chunk at hand, led by a
    // high surrogate held back from the last chunk because its low half may open this one.
    bool has_odd_byte_ = false;
    unsigned char odd_byte_ = 0;
    std::u16string units_;
};

// One file's whole content fed through ReportDecoder in chunks of chunk_size bytes (the default:
// all at once), exactly as a file read in pieces would be: every text, or every decoded line.
void ForEachText(std::string_view bytes, Encoding encoding, TextSink on_text,
                 std::size_t chunk_size = static_cast<std::size_t>(-1),
                 ReportDecoder::Start start = ReportDecoder::Start::kFileStart);
void ForEachDecodedLine(std::string_view bytes, Encoding encoding, LineVisitor on_line,
                        std::size_t chunk_size = static_cast<std::size_t>(-1));

struct ReadTextsResult {
    int error = 0;      // 0, or the errno of the failed open or read
    FileStart start{};  // how the file was read
};

// Reads the file name, or standard input for "-", to its end in chunks of buffer.size() bytes
// and delivers its texts.
ReadTextsResult ReadTexts(const std::string& name, Encoding encoding, std::span<char> buffer,
                          TextSink on_text);

}  // namespace korva::cli
