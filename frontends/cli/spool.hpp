// A temporary file that takes text of any length in a few KB of memory and gives it back once,
// so that korva-count can hold output back until it knows the whole run succeeded.
#pragma once

#include <string>
#include <string_view>

#include "counters/text/function_ref.hpp"
#include "frontends/cli/temp_file.hpp"

namespace korva::cli {

// Takes bytes on; returns 0 or the errno of the failure.
using ByteSink = FunctionRef<int(std::string_view bytes)>;

class Spool {
  public:
    // An unnamed temporary file (see TempFile): it is gone when the program ends, however it
    // ends.
    Spool();
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Does nothing once a write has failed.
    void Append(std::string_view text);

    // 0, or the errno of the first failure to create or write the file.
    int Error() const { return error_; }

    // Hands everything appended so far to write. Returns 0 or the errno of the failure.
    int CopyTo(ByteSink write);

  private:
    void Flush();

    TempFile file_;
    int error_ = 0;
    std::string buffer_;
};

}  // namespace korva::cli
