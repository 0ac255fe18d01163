#include "frontends/cli/spool.hpp"

#include <vector>

namespace korva::cli {

namespace {

// Big enough that writes cost little, small enough that memory stays flat.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

Spool::Spool() {
    error_ = file_.Create();
    if (error_ == 0) buffer_.reserve(kBufferSize);
}

void Spool::Append(std::string_view text) {
    if (error_ != 0) return;
    buffer_ += text;
    if (buffer_.size() >= kBufferSize) Flush();
}

void Spool::Flush() {
    if (error_ == 0) error_ = file_.Write(buffer_);
    buffer_.clear();
}

int Spool::CopyTo(ByteSink write) {
    Flush();
    if (error_ != 0) return error_;
    if (const int error = file_.Rewind()) return error;
    std::vector<char> chunk(kBufferSize);
    while (true) {
        const auto [n, read_error] = file_.Read(chunk);
        if (read_error != 0) return read_error;
        if (n == 0) return 0;
        if (const int error = write(std::string_view(chunk.data(), n))) return error;
    }
}

}  // namespace korva::cli
