#include <cstring>

#include "frontends/cli/reason.hpp"

namespace korva::cli {

std::string SystemReason(int error) {
    // In the language LC_MESSAGES names (main sets it from the environment).
    return std::strerror(error);
}

}  // namespace korva::cli
