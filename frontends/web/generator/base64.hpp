// Base64 (RFC 4648, with padding), for the modules a single-file page carries inline.
#pragma once

#include <string>
#include <string_view>

namespace korva::web {

std::string Base64(std::string_view bytes);

}  // namespace korva::web
