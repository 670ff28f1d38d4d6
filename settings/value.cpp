#include "settings/value.h"

#include <windows.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace settings {

Value Value::Int16(int16_t v) {
    Value r;
    r.kind_ = Kind::kInt16;
    r.integer_ = v;
    return r;
}

Value Value::Int32(int32_t v) {
    Value r;
    r.kind_ = Kind::kInt32;
    r.integer_ = v;
    return r;
}

Value Value::Single(float v) {
    Value r;
    r.kind_ = Kind::kSingle;
    r.single_ = v;
    return r;
}

Value Value::Bool(bool v) {
    Value r;
    r.kind_ = Kind::kBool;
    r.boolean_ = v;
    return r;
}

Value Value::Text(std::string v) {
    Value r;
    r.kind_ = Kind::kText;
    r.text_ = std::move(v);
    return r;
}

char UserDecimalSeparator() {
    // One character: a separator outside ASCII (none is known) would not fit the number's bytes.
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1 && buffer[0] > 0 &&
        buffer[0] < 0x80)
        return static_cast<char>(buffer[0]);
    return '.';
}

namespace {

std::string SingleToText(float v) {
    if (std::isnan(v) || std::isinf(v)) return "0";
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(v));
    std::string text(buffer);
    // The shortest text: no trailing zeros in the fraction and no bare point. %G leaves none
    // already; the trim makes sure of it on the mantissa alone, so that an exponent's zeros stay.
    const size_t e = text.find('E');
    std::string mantissa = text.substr(0, e);
    std::string exponent = e == std::string::npos ? std::string() : text.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    const char separator = UserDecimalSeparator();
    for (char& c : mantissa)
        if (c == '.') c = separator;
    return mantissa + exponent;
}

// Banker's rounding, as the loosely typed conversions to integers do.
double RoundHalfEven(double v) {
    double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    return r;
}

}  // namespace

std::string StripTerminator(const std::string& raw) {
    const size_t nul = raw.find('\0');
    return nul == std::string::npos ? raw : raw.substr(0, nul);
}

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<double> ParseNumber(const std::string& raw) {
    const std::string text = StripTerminator(raw);
    const char separator = UserDecimalSeparator();
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
    if (i == n) return std::nullopt;
    std::string normal;
    size_t p = i;
    if (text[p] == '+' || text[p] == '-') normal += text[p++];
    bool digits = false;
    while (p < n && std::isdigit(static_cast<unsigned char>(text[p]))) {
        normal += text[p++];
        digits = true;
    }
    if (p < n && (text[p] == separator || text[p] == '.')) {
        normal += '.';
        ++p;
        while (p < n && std::isdigit(static_cast<unsigned char>(text[p]))) {
            normal += text[p++];
            digits = true;
        }
    }
    if (!digits) return std::nullopt;
    if (p < n && (text[p] == 'e' || text[p] == 'E')) {
        normal += 'e';
        ++p;
        if (p < n && (text[p] == '+' || text[p] == '-')) normal += text[p++];
        bool exponent_digits = false;
        while (p < n && std::isdigit(static_cast<unsigned char>(text[p]))) {
            normal += text[p++];
            exponent_digits = true;
        }
        if (!exponent_digits) return std::nullopt;
    }
    if (p != n) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(normal.c_str(), &end);
    if (!end || *end != '\0' || std::isinf(v) || std::isnan(v)) return std::nullopt;
    return v;
}

std::string Value::ToStoredText() const {
    switch (kind_) {
        case Kind::kEmpty:
            return {};
        case Kind::kInt16:
        case Kind::kInt32:
            return std::to_string(integer_);
        case Kind::kSingle:
            return SingleToText(single_);
        case Kind::kBool:
            return boolean_ ? "True" : "False";
        case Kind::kText:
            return text_;
    }
    return {};
}

std::optional<double> Value::ToNumber() const {
    switch (kind_) {
        case Kind::kEmpty:
            return 0.0;
        case Kind::kInt16:
        case Kind::kInt32:
            return static_cast<double>(integer_);
        case Kind::kSingle:
            return static_cast<double>(single_);
        case Kind::kBool:
            return boolean_ ? -1.0 : 0.0;
        case Kind::kText: {
            const std::string t = StripTerminator(text_);
            if (t == "True") return -1.0;
            if (t == "False") return 0.0;
            return ParseNumber(t);
        }
    }
    return std::nullopt;
}

std::optional<int16_t> Value::ToInt16() const {
    const std::optional<double> n = ToNumber();
    if (!n) return std::nullopt;
    const double r = RoundHalfEven(*n);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<float> Value::ToSingle() const {
    const std::optional<double> n = ToNumber();
    if (!n || std::fabs(*n) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*n);
}

std::optional<bool> Value::ToBool() const {
    const std::optional<double> n = ToNumber();
    if (!n) return std::nullopt;
    return *n != 0.0;
}

std::string Value::ToText() const { return kind_ == Kind::kText ? text_ : ToStoredText(); }

bool Value::EqualsNumber(double n) const {
    const std::optional<double> v = ToNumber();
    return v && *v == n;
}

}  // namespace settings
