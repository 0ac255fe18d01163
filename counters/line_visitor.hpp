// A non-owning reference to something callable with a line, so that the scanning loops can live
// in one compiled place whatever the caller does with each line.
#pragma once

#include <string_view>

namespace korva {

class LineVisitor {
  public:
    template <class F>
    LineVisitor(F& f)  // NOLINT: implicit by design, like std::function_ref
        : object_(&f), call_([](void* o, std::string_view line) { (*static_cast<F*>(o))(line); }) {}

    void operator()(std::string_view line) const { call_(object_, line); }

  private:
    void* object_;
    void (*call_)(void*, std::string_view);
};

}  // namespace korva
