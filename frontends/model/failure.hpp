// The failures the window knows how to show, and their texts. Plain C++ that throws nothing, so
// that it builds where exceptions are off; which failure shows which text is error_box_rule.hpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace korva::form {

// A failure the error box can show by its message.
class Exception {
  public:
    explicit Exception(std::u16string message) : message_(std::move(message)) {}
    virtual ~Exception() = default;

    const std::u16string& Message() const { return message_; }

  private:
    std::u16string message_;
};

inline constexpr std::u16string_view kAbortMessage = u"Operation aborted";
inline constexpr std::u16string_view kOutOfMemoryMessage = u"Out of memory";

// The silent failure: the event guard drops it without a word.
class EAbort : public Exception {
  public:
    EAbort() : Exception(std::u16string(kAbortMessage)) {}
};

// What std::bad_alloc stands for.
class EOutOfMemory : public Exception {
  public:
    EOutOfMemory() : Exception(std::u16string(kOutOfMemoryMessage)) {}
};

// Any other foreign failure: "External exception " and code in upper-case hexadecimal digits
// without leading zeros.
class EExternalException : public Exception {
  public:
    explicit EExternalException(std::uint32_t code);
};

// The code an EExternalException carries for a foreign C++ failure: the one Windows gives every
// C++ exception, so that the message reads as it does there.
inline constexpr std::uint32_t kForeignFailureCode = 0xE06D7363;

// message as the error box shows it, with "." appended by the period rule (closing_period.hpp).
std::u16string ErrorBoxText(std::u16string_view message);

// The box's texts for the failures that bring no message of their own, "." included: fixed,
// so that they are at hand when memory has run out.
inline constexpr char16_t kOutOfMemoryText[] = u"Out of memory.";
inline constexpr char16_t kForeignFailureText[] = u"External exception E06D7363.";

}  // namespace korva::form
