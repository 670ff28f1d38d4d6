#include "controls/controls.h"

#include <vector>

#include "win/text.h"

namespace controls {

bool TextBox::Create(HWND parent, const RECT& r, int id, const char* text, bool read_only) {
    DWORD style = ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP | (read_only ? ES_READONLY : 0);
    return CreateControl(parent, "EDIT", text, style, WS_EX_CLIENTEDGE, r, id);
}

std::string TextBox::Text() const {
    int length = GetWindowTextLengthW(hwnd());
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(hwnd(), buffer.data(), length + 1);
    return win::Utf8(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void TextBox::SetText(const std::string& text) {
    // The control holds the text up to its first NUL, so compare what it would hold.
    std::string shown(text.c_str());
    if (max_length_) shown = win::HeldTo(shown, max_length_);
    if (shown == Text()) return;
    // WM_SETTEXT sends EN_CHANGE on some systems and not on others; a change from code raises nothing.
    setting_ = true;
    SetWindowTextW(hwnd(), win::Wide(shown).c_str());
    setting_ = false;
}

void TextBox::SetMaxLength(size_t characters) {
    max_length_ = characters;
    SendMessageW(hwnd(), EM_LIMITTEXT, characters, 0);
}

void TextBox::OnCommand(WORD code, WORD /*id*/) {
    if (code != EN_CHANGE || setting_) return;
    DropHalfCharacterAtEnd();
    if (Change) Change();
}

void TextBox::DropHalfCharacterAtEnd() {
    // A paste beyond the box's limit can end between the halves of a character.
    const int length = GetWindowTextLengthW(hwnd());
    if (length <= 0) return;
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd(), text.data(), length + 1);
    const wchar_t last = text[static_cast<size_t>(length) - 1];
    if (last < 0xD800 || last > 0xDBFF) return;
    setting_ = true;
    SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(length - 1), length);
    SendMessageW(hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    setting_ = false;
}

}  // namespace controls
