// A non-owning reference to whatever receives decoded texts or lines. One indirect call and no
// allocation, unlike std::function; it must not outlive the callable it refers to.
#pragma once

#include <memory>
#include <string_view>
#include <type_traits>

namespace korva::cli {

class TextSink {
  public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TextSink> &&
             std::is_invocable_v<F&, std::string_view>)
        TextSink(
            F&& f)  // NOLINT(google-explicit-constructor): lambdas convert implicitly on purpose
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object, std::string_view text) {
              (*static_cast<std::remove_reference_t<F>*>(object))(text);
          }) {}

    void operator()(std::string_view text) const { call_(object_, text); }

  private:
    void* object_;
    void (*call_)(void*, std::string_view);
};

}  // namespace korva::cli
