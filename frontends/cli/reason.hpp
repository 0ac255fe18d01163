// Why a file could not be read or the result not written, in German: korva-count's own words for
// the reasons users meet, the system's text for the rest.
#pragma once

#include <string>

namespace korva::cli {

// error: an errno value, as every failure in korva-count is carried (see windows_error.hpp for
// how Windows' codes become one).
std::string Reason(int error);

// The system's own text for error, in the user's language where the system has one. One small
// file per system.
std::string SystemReason(int error);

}  // namespace korva::cli
