// Failing the build from a table computed at compile time, with or without exceptions.
#pragma once

namespace korva {

// Not constexpr: reached while a constant is evaluated, it stops the build there, and the
// compiler's note points at the call and its reason. (A `throw` would do the same, but does not
// compile where exceptions are off, as for WebAssembly.)
inline void FailBuild(const char* /*reason*/) {}

}  // namespace korva
