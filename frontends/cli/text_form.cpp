#include "frontends/cli/text_form.hpp"

namespace korva::cli {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Fewer code units tell too little, and hold no line a counter counts.
constexpr std::size_t kGuessMinimumUnits = 4;

// A character of Latin-1 beside a zero byte: no C0 or C1 control but tab and the line breaks,
// and not the zero itself, so that UTF-32 and zero-filled binary data are not taken for UTF-16.
bool IsTextByte(unsigned char byte) {
    return byte == '\t' || byte == '\n' || byte == '\r' || (byte >= 0x20 && byte <= 0x7E) ||
           byte >= 0xA0;
}

// UTF-16 of mostly Latin text: the high byte of nearly every code unit is zero. zero_lane is
// where that byte stands in each unit, 1 for little endian, 0 for big endian.
bool HasUtf16Pattern(std::string_view head, std::size_t zero_lane) {
    const std::size_t units = head.size() / 2;
    std::size_t zeros = 0;
    for (std::size_t i = 0; i < units; ++i) {
        if (head[2 * i + zero_lane] != '\0') continue;  // another character: allowed, if rare
        if (!IsTextByte(static_cast<unsigned char>(head[2 * i + (1 - zero_lane)]))) return false;
        ++zeros;
    }
    return units >= kGuessMinimumUnits && zeros * 4 >= units * 3;
}

}  // namespace

FileStart FileStartOf(std::string_view head, Encoding encoding) {
    if (head.starts_with(kUtf8Mark)) return {TextForm::kBytes, kUtf8Mark.size(), false};
    // A UTF-16 mark or pattern means UTF-16 only when the user left the choice to us.
    if (encoding != Encoding::kAuto) return {};
    if (head.starts_with(kUtf16LeMark)) return {TextForm::kUtf16Le, kUtf16LeMark.size(), false};
    if (head.starts_with(kUtf16BeMark)) return {TextForm::kUtf16Be, kUtf16BeMark.size(), false};
    head = head.substr(0, FileStartSize(encoding));
    if (HasUtf16Pattern(head, 1)) return {TextForm::kUtf16Le, 0, true};
    if (HasUtf16Pattern(head, 0)) return {TextForm::kUtf16Be, 0, true};
    return {};
}

}  // namespace korva::cli
