#include "frontends/model/failure.hpp"

#include <array>
#include <charconv>

#include "frontends/model/closing_period.hpp"

namespace korva::form {
namespace {

std::u16string ExternalExceptionMessage(std::uint32_t code) {
    std::array<char, 8> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), code, 16).ptr;
    std::u16string message(u"External exception ");
    for (const char* digit = digits.data(); digit != end; ++digit) {
        message += static_cast<char16_t>(*digit >= 'a' ? *digit - 'a' + 'A' : *digit);
    }
    return message;
}

}  // namespace

EExternalException::EExternalException(std::uint32_t code)
    : Exception(ExternalExceptionMessage(code)) {}

std::u16string ErrorBoxText(std::u16string_view message) {
    std::u16string text(message);
    if (TakesClosingPeriod(message)) text += u'.';
    return text;
}

}  // namespace korva::form
