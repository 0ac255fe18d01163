// The two-half read where files have pread(2): both threads read the one descriptor, each at its
// own offsets.
#include "frontends/cli/split_read.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <future>
#include <string>

namespace korva::cli {

namespace {

// How far past the middle the split looks for a line break, at most, per read.
constexpr std::size_t kWindowSize = 64 * 1024;

// Closes the file however the read ends.
class File {
  public:
    explicit File(const std::string& name) : fd_(::open(name.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    int fd() const { return fd_; }

  private:
    int fd_;
};

// Reads up to buffer.size() bytes at offset; the count read, or -1 with errno set.
ssize_t ReadAt(int fd, std::span<char> buffer, std::size_t offset) {
    while (true) {
        const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(offset));
        if (n >= 0 || errno != EINTR) return n;
    }
}

// The bytes from begin to end, read with buffer and decoded as a part of the file.
int ReadPart(int fd, std::size_t begin, std::size_t end, Encoding encoding,
             ReportDecoder::Start start, std::span<char> buffer, TextSink on_text) {
    ReportDecoder decoder(encoding, start);
    for (std::size_t at = begin; at < end;) {
        const std::size_t want = std::min(buffer.size(), end - at);
        const ssize_t n = ReadAt(fd, buffer.first(want), at);
        if (n < 0) return errno;
        if (n == 0) break;  // the file shrank meanwhile: count what there is
        decoder.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)), on_text);
        at += static_cast<std::size_t>(n);
    }
    decoder.Finish(on_text);
    return 0;
}

// The start of the first line after the middle of a file of size bytes, read with buffer; 0
// when there is none or the file cannot be read (the usual read then says why).
std::size_t FindSplit(int fd, std::size_t size, std::span<char> buffer) {
    const std::span<char> window = buffer.first(std::min(buffer.size(), kWindowSize));
    for (std::size_t at = size / 2; at < size;) {
        const ssize_t n = ReadAt(fd, window, at);
        if (n <= 0) return 0;
        const auto count = static_cast<std::size_t>(n);
        const bool at_end = at + count >= size;
        if (const auto after = AfterFirstBreak({window.data(), count}, at_end)) {
            return at + *after < size ? at + *after : 0;
        }
        // A CR at the end of the window is looked at again with the byte after it.
        at += count > 1 ? count - 1 : count;
    }
    return 0;
}

// UTF-16 (in auto mode, by its mark or its zero bytes) is divided only after decoding: such a
// file is read in one piece.
bool MayBeUtf16(int fd, Encoding encoding) {
    if (encoding != Encoding::kAuto) return false;
    std::string head(FileStartSize(encoding), '\0');
    const ssize_t n = ReadAt(fd, head, 0);
    if (n < 0) return true;  // unreadable: leave it to the usual read
    head.resize(static_cast<std::size_t>(n));
    return FileStartOf(head, encoding).form != TextForm::kBytes;
}

}  // namespace

SplitReadResult ReadTextsInTwo(const std::string& name, Encoding encoding, std::size_t minimum_size,
                               std::span<char> first_buffer, TextSink first,
                               std::span<char> second_buffer, TextSink second) {
    if (name == "-") return {SplitRead::kNotSplit, 0};
    const File file(name);
    if (file.fd() < 0) return {SplitRead::kNotSplit, 0};  // the usual read reports it
    struct stat info {};
    if (::fstat(file.fd(), &info) != 0 || !S_ISREG(info.st_mode)) return {SplitRead::kNotSplit, 0};
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size < minimum_size || size < 2) return {SplitRead::kNotSplit, 0};
    if (MayBeUtf16(file.fd(), encoding)) return {SplitRead::kNotSplit, 0};
    const std::size_t split = FindSplit(file.fd(), size, first_buffer);
    if (split == 0) return {SplitRead::kNotSplit, 0};
    ::posix_fadvise(file.fd(), 0, 0, POSIX_FADV_SEQUENTIAL);

    // The second half on a thread of its own; a failure there (out of memory) comes back here.
    auto second_half = std::async(std::launch::async, [&] {
        return ReadPart(file.fd(), split, size, encoding, ReportDecoder::Start::kAfterLineBreak,
                        second_buffer, second);
    });
    const int first_error = ReadPart(file.fd(), 0, split, encoding,
                                     ReportDecoder::Start::kFileStart, first_buffer, first);
    const int second_error = second_half.get();
    const int error = first_error != 0 ? first_error : second_error;
    return {error == 0 ? SplitRead::kDone : SplitRead::kFailed, error};
}

}  // namespace korva::cli
