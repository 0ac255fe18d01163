// A small, strict JSON reader for tests: it accepts exactly RFC 8259 text (no raw control bytes
// in strings, no trailing commas, no leading zeros) and decodes strings to UTF-8, so that a test
// can both check that output is valid JSON and read back what it says.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva::cli_test {

struct JsonValue {
    bool boolean = false;
    std::int64_t number = 0;  // integers only: the program writes no others
    std::string string;
    std::vector<JsonValue> array;
    // An object's members in order, as two lists: a member cannot hold a type still incomplete.
    std::vector<std::string> names;
    std::vector<JsonValue> values;

    const JsonValue* Member(std::string_view name) const {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) return &values[i];
        }
        return nullptr;
    }
};

class JsonReader {
  public:
    // The one value text holds, or nothing when text is not valid JSON.
    static std::optional<JsonValue> Read(std::string_view text) {
        JsonReader reader(text);
        JsonValue value;
        if (!reader.Value(value)) return std::nullopt;
        reader.Space();
        if (reader.at_ != text.size()) return std::nullopt;
        return value;
    }

  private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    bool More() const { return at_ < text_.size(); }
    char Peek() const { return More() ? text_[at_] : '\0'; }
    void Space() {
        while (More() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            ++at_;
        }
    }
    bool Take(char c) {
        Space();
        if (Peek() != c) return false;
        ++at_;
        return true;
    }
    bool Word(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& value) {
        Space();
        switch (Peek()) {
            case '{':
                return Object(value);
            case '[':
                return Array(value);
            case '"':
                return String(value.string);
            case 't':
                value.boolean = true;
                return Word("true");
            case 'f':
                return Word("false");
            case 'n':
                return Word("null");
            default:
                return Number(value.number);
        }
    }

    bool Object(JsonValue& value) {
        ++at_;
        if (Take('}')) return true;
        do {
            std::string key;
            JsonValue member;
            Space();
            if (Peek() != '"' || !String(key) || !Take(':') || !Value(member)) return false;
            value.names.push_back(std::move(key));
            value.values.push_back(std::move(member));
        } while (Take(','));
        return Take('}');
    }

    bool Array(JsonValue& value) {
        ++at_;
        if (Take(']')) return true;
        do {
            JsonValue element;
            if (!Value(element)) return false;
            value.array.push_back(std::move(element));
        } while (Take(','));
        return Take(']');
    }

    bool Number(std::int64_t& number) {
        const std::size_t start = at_;
        if (Peek() == '-') ++at_;
        if (Peek() == '0' && at_ + 1 < text_.size() && text_[at_ + 1] >= '0' &&
            text_[at_ + 1] <= '9') {
            return false;
        }
        const char* const first = text_.data() + start;
        const auto [end, error] = std::from_chars(first, text_.data() + text_.size(), number);
        if (error != std::errc() || end == first) return false;
        at_ = static_cast<std::size_t>(end - text_.data());
        return Peek() != '.' && Peek() != 'e' && Peek() != 'E';
    }

    bool Hex4(std::uint32_t& unit) {
        if (at_ + 4 > text_.size()) return false;
        const char* const first = text_.data() + at_;
        const auto [end, error] = std::from_chars(first, first + 4, unit, 16);
        if (error != std::errc() || end != first + 4) return false;
        at_ += 4;
        return true;
    }

    static void AppendUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    bool String(std::string& out) {
        ++at_;
        while (More()) {
            const char c = text_[at_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (!More()) return false;
            const char e = text_[at_++];
            static constexpr std::string_view kFrom = "\"\\/bfnrt";
            static constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
            if (const auto k = kFrom.find(e); k != std::string_view::npos) {
                out += kTo[k];
                continue;
            }
            std::uint32_t unit = 0;
            if (e != 'u' || !Hex4(unit)) return false;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                std::uint32_t low = 0;
                if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
                return false;
            }
            AppendUtf8(out, unit);
        }
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace korva::cli_test
