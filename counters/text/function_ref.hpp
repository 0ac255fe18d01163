// A non-owning reference to something callable, so that the scanning loops can be compiled once
// whatever the caller does with each line: one indirect call, no allocation (unlike
// std::function). It must not outlive what it refers to.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>

namespace korva {

template <class Signature>
class FunctionRef;

template <class R, class... Args>
class FunctionRef<R(Args...)> {
  public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
             std::is_invocable_r_v<R, F&, Args...>)
        FunctionRef(F&& f)  // NOLINT(google-explicit-constructor): lambdas convert on purpose
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object, Args... args) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(object))(
                  std::forward<Args>(args)...);
          }) {}

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

  private:
    void* object_;
    R (*call_)(void*, Args...);
};

using LineVisitor = FunctionRef<void(std::string_view line)>;

// Turns a line as read into its Windows-1252 form. Must hand back the very view it was given
// when the line needs no change (an ASCII line always), which lets the counters reuse what they
// found in the raw line.
using LineDecoder = FunctionRef<std::string_view(std::string_view line)>;

}  // namespace korva
