#include "controls/toolbar.h"

namespace controls {

bool Toolbar::Create(HWND parent, int id, int height_px, int bitmap_id, COLORREF mask,
                     const std::vector<ButtonSpec>& buttons) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    buttons_ = buttons;
    if (!CreateControl(parent, TOOLBARCLASSNAMEA, "", TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER, 0,
                       RECT{0, 0, 100, height_px}, id, false))
        return false;
    SendMessageA(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    images_.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmap_id), 16, 0, mask,
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
    SendMessageA(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));

    std::vector<TBBUTTON> tb(buttons_.size());
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTON& b = tb[i];
        b = TBBUTTON{};
        if (buttons_[i].image < 0) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 8;
        } else {
            b.iBitmap = buttons_[i].image;
            b.idCommand = id + static_cast<int>(i) + 1;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_CHECK;
            b.iString = reinterpret_cast<INT_PTR>(buttons_[i].key.c_str());
        }
    }
    SendMessageA(hwnd(), TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageA(hwnd(), TB_AUTOSIZE, 0, 0);
    return true;
}

int Toolbar::ButtonValue(int index) const {
    if (index < 1 || index > ButtonCount() || buttons_[index - 1].image < 0) return 0;
    return SendMessageA(hwnd(), TB_ISBUTTONCHECKED, id() + index, 0) ? 1 : 0;
}

void Toolbar::SetButtonValue(int index, int value) {
    if (index < 1 || index > ButtonCount() || buttons_[index - 1].image < 0) return;
    SendMessageA(hwnd(), TB_CHECKBUTTON, id() + index, MAKELPARAM(value ? TRUE : FALSE, 0));
}

std::string Toolbar::ButtonKey(int index) const {
    if (index < 1 || index > ButtonCount()) return {};
    return buttons_[index - 1].key;
}

int Toolbar::IndexOfCommand(int command_id) const {
    const int index = command_id - id();
    return index >= 1 && index <= ButtonCount() && buttons_[index - 1].image >= 0 ? index : 0;
}

void Toolbar::OnCommand(WORD /*code*/, WORD id) {
    if (const int index = IndexOfCommand(id); index && ButtonClick) ButtonClick(index);
}

bool Toolbar::OnNotify(NMHDR* header) {
    // The tool tip asks for its text by the button's command identifier.
    if (header->code != TTN_GETDISPINFOA) return false;
    const int index = IndexOfCommand(static_cast<int>(header->idFrom));
    if (!index) return false;
    reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>(buttons_[index - 1].key.c_str());
    return true;
}

}  // namespace controls
