#include "controls/controls.h"

namespace controls {

bool CheckBox::Create(HWND parent, const RECT& r, int id, const char* caption) {
    // BS_3STATE rather than an automatic style: the state changes only through SetValue, and the
    // grey value 2 shows as grey (a two-state box would show it ticked).
    return CreateControl(parent, "BUTTON", caption, BS_3STATE | WS_TABSTOP, 0, r, id);
}

void CheckBox::SetValue(int value) {
    if (value < 0 || value > 2 || value == value_) return;
    value_ = value;
    SendMessageW(hwnd(), BM_SETCHECK,
                 value == 1 ? BST_CHECKED : (value == 2 ? BST_INDETERMINATE : BST_UNCHECKED), 0);
}

void CheckBox::OnCommand(WORD code, WORD /*id*/) {
    if (code != BN_CLICKED) return;
    SetValue(value_ == 1 ? 0 : 1);
    if (Click) Click();
}

}  // namespace controls
