#include "frontends/cli/spool.hpp"

#include <algorithm>
#include <vector>

namespace korva::cli {

namespace {

// The pieces the file is read back in.
constexpr std::size_t kReadSize = 64 * 1024;

}  // namespace

Spool::Spool(std::size_t held_bytes)
    : buffer_(std::make_unique_for_overwrite<char[]>(held_bytes)), capacity_(held_bytes) {
    error_ = file_.Create();
}

Spool::Spool(ByteSink output, std::size_t held_bytes)
    : output_(output),
      buffer_(std::make_unique_for_overwrite<char[]>(held_bytes)),
      capacity_(held_bytes) {}

void Spool::Append(std::string_view text) {
    char* const room = Room(text.size());
    Take(std::copy(text.begin(), text.end(), room));
}

char* Spool::Room(std::size_t most) {
    if (capacity_ - size_ < most || (in_file_ && size_ >= kPieceBytes)) Flush();
    if (capacity_ < most) {
        // A row longer than the memory holds: a CSV record of a line of many MB.
        buffer_ = std::make_unique_for_overwrite<char[]>(most);
        capacity_ = most;
    }
    return buffer_.get() + size_;
}

void Spool::Flush() {
    if (size_ == 0) return;
    const std::string_view held(buffer_.get(), size_);
    if (error_ == 0) error_ = output_ ? (*output_)(held) : file_.Write(held);
    in_file_ = !output_;
    size_ = 0;
}

int Spool::CopyTo(ByteSink write) {
    if (error_ != 0) return error_;
    if (in_file_) {
        if (const int error = file_.Rewind()) return error;
        std::vector<char> chunk(kReadSize);
        while (true) {
            const auto [n, read_error] = file_.Read(chunk);
            if (read_error != 0) return read_error;
            if (n == 0) break;
            if (const int error = write(std::string_view(chunk.data(), n))) return error;
        }
    }
    return write(std::string_view(buffer_.get(), size_));
}

}  // namespace korva::cli
