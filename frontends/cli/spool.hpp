// Text of any length held back in a few MB of memory: what does not fit goes to a temporary file,
// and all of it is given back once, so that korva-count can hold output back until it knows the
// whole run succeeded. Where the output itself can take text back on failure (a regular file,
// see StandardOutputEnd), it takes the text as it comes instead, without the file's round trip.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "counters/text/function_ref.hpp"
#include "frontends/cli/temp_file.hpp"

namespace korva::cli {

// Takes bytes on; returns 0 or the errno of the failure.
using ByteSink = FunctionRef<int(std::string_view bytes)>;

class Spool {
  public:
    // What the memory holds before the file takes the rest (bench/explain_cost.sh): the rows of
    // reports of a few tens of MB, which then never touch the file.
    static constexpr std::size_t kHeldBytes = std::size_t{8} << 20;
    // Once the file takes text, what it takes at a time: rows written while still in the
    // processor's cache.
    static constexpr std::size_t kPieceBytes = 256 * 1024;

    // An unnamed temporary file (see TempFile): it is gone when the program ends, however it
    // ends. Made at once, so that a folder it cannot be made in is noticed before any count.
    explicit Spool(std::size_t held_bytes = kHeldBytes);
    // Text handed to output whenever held_bytes are held, and no file.
    Spool(ByteSink output, std::size_t held_bytes);
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Does nothing once a write has failed.
    void Append(std::string_view text);

    // Room for most bytes after what was taken, for text written in place; Take(end) takes them
    // up to end. Rows are made by the hundred thousand, each without a text of its own.
    char* Room(std::size_t most);
    void Take(const char* end) { size_ = static_cast<std::size_t>(end - buffer_.get()); }

    // 0, or the errno of the first failure to create or write the file, or to write to output.
    int Error() const { return error_; }

    // Hands everything taken so far to write. Returns 0 or the errno of the failure.
    int CopyTo(ByteSink write);

  private:
    void Flush();

    std::optional<ByteSink> output_;
    TempFile file_;
    int error_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::size_t capacity_;
    bool in_file_ = false;  // the file holds the text's start
};

}  // namespace korva::cli
