#include "win/text.h"

#include <windows.h>

namespace win {

WideText::WideText(const std::string& utf8) {
    const int length = utf8.empty() ? 0
                                    : MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                          static_cast<int>(utf8.size()), nullptr, 0);
    chars_.assign(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), chars_.data(), length);
}

WideText::WideText(const wchar_t* utf16, size_t length) : chars_(utf16, utf16 + length) {
    chars_.push_back(L'\0');
}

namespace {
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

std::string Utf8(const wchar_t* utf16, size_t length) {
    if (!utf16) return {};
    // A text a control or a buffer cut off between the halves of a character: the half goes.
    if (length > 0 && IsHighSurrogate(utf16[length - 1])) --length;
    if (length == 0) return {};
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, utf16, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, utf16, static_cast<int>(length), &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

size_t SystemLength(const std::string& utf8) { return WideText(utf8).size(); }

std::string HeldTo(const std::string& utf8, size_t max_units) {
    const WideText wide(utf8);
    if (wide.size() <= max_units) return utf8;
    size_t cut = max_units;
    return Utf8(wide.c_str(), cut);  // a character cut in two at the end goes whole
}

}  // namespace win
