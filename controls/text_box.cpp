#include "controls/controls.h"

#include <vector>

namespace controls {

bool TextBox::Create(HWND parent, const RECT& r, int id, const char* text, bool read_only) {
    DWORD style = ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP | (read_only ? ES_READONLY : 0);
    return CreateControl(parent, "EDIT", text, style, WS_EX_CLIENTEDGE, r, id);
}

std::string TextBox::Text() const {
    int length = GetWindowTextLengthA(hwnd());
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd(), buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void TextBox::SetText(const std::string& text) {
    // The control holds the text up to its first NUL, so compare what it would hold.
    std::string shown(text.c_str());
    if (max_length_ && shown.size() > max_length_) shown.resize(max_length_);
    if (shown == Text()) return;
    setting_ = true;  // WM_SETTEXT sends EN_CHANGE on some systems and not on others: raise it here once.
    SetWindowTextA(hwnd(), shown.c_str());
    setting_ = false;
    if (Change) Change();
}

void TextBox::SetMaxLength(size_t characters) {
    max_length_ = characters;
    SendMessageA(hwnd(), EM_LIMITTEXT, characters, 0);
}

void TextBox::OnCommand(WORD code, WORD /*id*/) {
    if (code == EN_CHANGE && !setting_ && Change) Change();
}

}  // namespace controls
