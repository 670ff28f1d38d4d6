// The loosely typed value that passes through the settings store: empty, a 16- or 32-bit integer,
// a single-precision number, a truth value or a text. Writes turn it into the stored text; reads
// give back empty, text or a 32-bit integer, which the readers convert.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

class Value {
  public:
    enum class Kind { kEmpty, kInt16, kInt32, kSingle, kBool, kText };

    Value() = default;
    static Value Int16(int16_t v);
    static Value Int32(int32_t v);
    static Value Single(float v);
    static Value Bool(bool v);
    static Value Text(std::string v);

    Kind kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Kind::kEmpty; }
    // The raw text of a text value, every character as stored (a read text ends with its NUL).
    const std::string& RawText() const { return text_; }

    // The text that a write stores: digits, True/False, a number with at most seven significant digits
    // in the user's number format, or the text itself. Empty stores the empty text.
    std::string ToStoredText() const;

    // Conversions that readers make. Empty converts to 0, false or the empty text. A text that is not
    // a number of the kind asked for, or a number out of range, gives nothing. Texts end at their
    // first NUL, as the system's own conversions do.
    std::optional<int16_t> ToInt16() const;
    std::optional<float> ToSingle() const;
    std::optional<bool> ToBool() const;
    std::optional<double> ToNumber() const;
    std::string ToText() const;
    // "Equals 1" as a loosely typed comparison with a number: the text is converted first, empty is 0.
    // A text that is no number compares unequal.
    bool EqualsNumber(double n) const;

  private:
    Kind kind_ = Kind::kEmpty;
    int32_t integer_ = 0;
    float single_ = 0;
    bool boolean_ = false;
    std::string text_;
};

// A text setting as read, for comparing or drawing: the stored text without its terminating NUL.
// Only a terminator is removed, never a real character, and a text ends at its first NUL.
std::string StripTerminator(const std::string& raw);

// The text without the spaces at either end (spaces only: a tab is kept).
std::string TrimSpaces(const std::string& text);

// Parses a decimal number the way a person writes one: spaces around it, a sign, a decimal
// separator ('.' or the user's own), an exponent. Nothing else.
std::optional<double> ParseNumber(const std::string& text);

// The user's decimal separator (one character; '.' where the system gives none).
char UserDecimalSeparator();

}  // namespace settings
