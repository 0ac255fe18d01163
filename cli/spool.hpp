// A temporary file that takes text of any length in a few KB of memory and gives it back once,
// so that korva-count can hold output back until it knows the whole run succeeded.
#pragma once

#include <string>
#include <string_view>

namespace korva::cli {

class Spool {
  public:
    // An unnamed file in $TMPDIR, or /tmp: it is gone when the program ends, however it ends.
    Spool();
    ~Spool();
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Does nothing once a write has failed.
    void Append(std::string_view text);

    // 0, or the errno of the first failure to create or write the file.
    int Error() const { return error_; }

    // Writes everything appended so far to fd. Returns 0 or the errno of the failure.
    int CopyTo(int fd);

  private:
    void Flush();

    int fd_ = -1;
    int error_ = 0;
    std::string buffer_;
};

}  // namespace korva::cli
