// Every malformed form in which another tool (or a damaged registry) could leave a setting, a
// good value for each setting to wrap in it, and what a reader gets back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/names.h"
#include "settings/registry.h"
#include "support/registry_support.h"

namespace bad_forms {

enum class Form {
    kMissing,
    kEmptyText,
    kNotANumber,
    kOutOfRange,  // beyond a 16-bit integer
    kNegative,
    kHugeText,  // 1 MB
    kDword,
    kDwordShort,  // REG_DWORD of 2 bytes
    kDwordLong,   // REG_DWORD of 8 bytes
    kBinary,
    kExpandSz,
    kMultiSz,
    kNoTerminator,  // a good text stored without its NUL
};

struct FormName {
    Form form;
    const char* name;
};
constexpr FormName kForms[] = {
    {Form::kMissing, "Missing"},
    {Form::kEmptyText, "EmptyText"},
    {Form::kNotANumber, "NotANumber"},
    {Form::kOutOfRange, "OutOfRange"},
    {Form::kNegative, "Negative"},
    {Form::kHugeText, "HugeText"},
    {Form::kDword, "Dword"},
    {Form::kDwordShort, "DwordShort"},
    {Form::kDwordLong, "DwordLong"},
    {Form::kBinary, "Binary"},
    {Form::kExpandSz, "ExpandSz"},
    {Form::kMultiSz, "MultiSz"},
    {Form::kNoTerminator, "NoTerminator"},
};

constexpr size_t kHugeSize = 1 << 20;

// A value each setting accepts, used for the forms that carry a good text in a bad wrapper.
struct Good {
    const char* text;
    std::optional<double> number;
};
inline Good GoodValue(const std::string& name) {
    if (name == names::kLabel) return {"Go", std::nullopt};
    if (name == names::kAlpha) return {"128", 128};
    if (name == names::kX) return {"12", 12};
    if (name == names::kWidth) return {"60", 60};
    if (name == names::kY) return {"3", 3};
    if (name == names::kHeight) return {"20", 20};
    if (name == names::kShapeType) return {"Ellipse", std::nullopt};
    if (name == names::kAutostart || name == names::kMakeOpaque) return {"1", 1};
    if (name == names::kOutlineText) return {"Pel", std::nullopt};
    if (name == names::kFontFace) return {"Courier New", std::nullopt};
    if (name == names::kFontSize) return {"14", 14};
    return {"True", -1};  // the four font flags
}

// What a reader of the setting gets: nothing (empty), or a text and the number it converts to.
struct Read {
    std::optional<std::string> text;  // empty when not set
    std::optional<double> number;     // what a numeric reader sees; empty converts to 0
};
inline Read ReadOf(Form form, const Good& good) {
    switch (form) {
        case Form::kDwordShort:
            // Its two bytes read as the integer 0 (the size is not checked, as a DWORD read
            // reports what it got); harmless either way.
            return {std::string("0"), 0.0};
        case Form::kMissing:
        case Form::kDwordLong:
        case Form::kBinary:
        case Form::kExpandSz:
        case Form::kMultiSz:
            return {std::nullopt, 0.0};
        case Form::kEmptyText:
            return {std::string(), std::nullopt};
        case Form::kNotANumber:
            return {std::string("abc"), std::nullopt};
        case Form::kOutOfRange:
            return {std::string("70000"), 70000.0};
        case Form::kNegative:
            return {std::string("-5"), -5.0};
        case Form::kHugeText:
            return {std::string(kHugeSize, 'x'), std::nullopt};
        case Form::kDword:
            return {std::string("7"), 7.0};
        case Form::kNoTerminator:
            return {std::string(good.text), good.number};
    }
    return {};
}

// Stores the setting in the form; false when it could not be stored.
inline bool Store(const char* name, Form form, const Good& good) {
    using test_support::SetRaw;
    using test_support::SetRawText;
    const std::string text = good.text;
    switch (form) {
        case Form::kMissing:
            return true;
        case Form::kEmptyText:
            return SetRaw(name, REG_SZ, "", 0);
        case Form::kNotANumber:
            return SetRawText(name, "abc");
        case Form::kOutOfRange:
            return SetRawText(name, "70000");
        case Form::kNegative:
            return SetRawText(name, "-5");
        case Form::kHugeText:
            return SetRawText(name, std::string(kHugeSize, 'x'));
        case Form::kDword: {
            const DWORD seven = 7;
            return SetRaw(name, REG_DWORD, &seven, 4);
        }
        case Form::kDwordShort: {
            const BYTE two[2] = {0, 0};
            return SetRaw(name, REG_DWORD, two, 2);
        }
        case Form::kDwordLong: {
            const BYTE eight[8] = {7, 0, 0, 0, 1, 0, 0, 0};
            return SetRaw(name, REG_DWORD, eight, 8);
        }
        case Form::kBinary:
            return SetRaw(name, REG_BINARY, text.data(), static_cast<DWORD>(text.size()));
        case Form::kExpandSz:
            return SetRaw(name, REG_EXPAND_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
        case Form::kMultiSz: {
            const std::string multi = text + '\0' + text + '\0' + '\0';
            return SetRaw(name, REG_MULTI_SZ, multi.data(), static_cast<DWORD>(multi.size()));
        }
        case Form::kNoTerminator: {
            // The byte after the counted text is not a NUL, so nothing can terminate it by chance.
            const std::string unterminated = text + "#";
            return SetRaw(name, REG_SZ, unterminated.data(), static_cast<DWORD>(text.size()));
        }
    }
    return false;
}

inline bool IsShortInt(double n) { return n >= -32768 && n <= 32767; }

inline bool FlagAfterLoad(const Read& r) { return r.number ? *r.number != 0 : false; }

inline std::string FaceAfterLoad(const Read& r) {
    return r.text && !r.text->empty() && r.text->size() < LF_FACESIZE ? *r.text : "Arial";
}

inline float SizeAfterLoad(const Read& r) {
    return r.number && *r.number > 0 && *r.number <= 2160 ? static_cast<float>(*r.number) : 8.0f;
}

}  // namespace bad_forms
