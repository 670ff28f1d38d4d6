// Texts inside the program are UTF-8 in std::string; the system takes and gives UTF-16 through its
// wide ("W") functions. These convert at that edge, exactly: every character, an embedded NUL too.
#pragma once

#include <string>
#include <vector>

namespace win {

// A UTF-16 text for a wide function, always NUL-terminated. (Not std::wstring: the 32-bit program
// would carry the library's whole wide string, a tenth of its size, for a few conversions.)
class WideText {
  public:
    WideText() : chars_(1, L'\0') {}
    explicit WideText(const std::string& utf8);
    WideText(const wchar_t* utf16, size_t length);

    const wchar_t* c_str() const { return chars_.data(); }
    wchar_t* data() { return chars_.data(); }
    size_t size() const { return chars_.size() - 1; }
    bool empty() const { return size() == 0; }
    wchar_t operator[](size_t i) const { return chars_[i]; }

  private:
    std::vector<wchar_t> chars_;  // the characters, then one NUL
};

inline WideText Wide(const std::string& utf8) { return WideText(utf8); }
// A lone high surrogate at the end (a character that a control's limit or a buffer cut in two) is
// dropped: what the program stores, shows or applies never holds half a character.
std::string Utf8(const wchar_t* utf16, size_t length);
inline std::string Utf8(const WideText& utf16) { return Utf8(utf16.c_str(), utf16.size()); }

// The length the system counts a text in (UTF-16 code units), as window texts and their limits do.
size_t SystemLength(const std::string& utf8);
// The text held to at most `max_units` UTF-16 code units, never splitting a character.
std::string HeldTo(const std::string& utf8, size_t max_units);

}  // namespace win
