// On Windows every file is read in one piece: the two-half read is off.
#include "frontends/cli/split_read.hpp"

namespace korva::cli {

SplitReadResult ReadTextsInTwo(const std::string&, Encoding, std::size_t, std::span<char>, TextSink,
                               std::span<char>, TextSink) {
    return {SplitRead::kNotSplit, 0};
}

}  // namespace korva::cli
