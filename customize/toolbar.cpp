#include "customize/toolbar.h"

namespace customize {

bool Toolbar::Create(HWND parent, int id_base, int height_px, int bitmap_id, COLORREF mask,
                     const std::vector<ButtonSpec>& buttons) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    id_base_ = id_base;
    buttons_ = buttons;
    hwnd_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                            WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER, 0,
                            0, 100, height_px, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_base)),
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return false;
    SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    images_.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmap_id), 16, 0, mask,
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
    SendMessageA(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));

    std::vector<TBBUTTON> tb(buttons_.size());
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTON& b = tb[i];
        b = TBBUTTON{};
        if (buttons_[i].image < 0) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 8;
        } else {
            b.iBitmap = buttons_[i].image;
            b.idCommand = id_base_ + static_cast<int>(i) + 1;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_CHECK;
            b.iString = reinterpret_cast<INT_PTR>(buttons_[i].key.c_str());
        }
    }
    SendMessageA(hwnd_, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
    return true;
}

int Toolbar::ButtonValue(int index) const {
    if (index < 1 || index > ButtonCount() || buttons_[index - 1].image < 0) return 0;
    return SendMessageA(hwnd_, TB_ISBUTTONCHECKED, id_base_ + index, 0) ? 1 : 0;
}

void Toolbar::SetButtonValue(int index, int value) {
    if (index < 1 || index > ButtonCount() || buttons_[index - 1].image < 0) return;
    SendMessageA(hwnd_, TB_CHECKBUTTON, id_base_ + index, MAKELPARAM(value ? TRUE : FALSE, 0));
}

std::string Toolbar::ButtonKey(int index) const {
    if (index < 1 || index > ButtonCount()) return {};
    return buttons_[index - 1].key;
}

int Toolbar::IndexOfCommand(int command_id) const {
    const int index = command_id - id_base_;
    return index >= 1 && index <= ButtonCount() && buttons_[index - 1].image >= 0 ? index : 0;
}

bool Toolbar::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        const int index = IndexOfCommand(static_cast<int>(header->idFrom));
        if (!index) return false;
        info->lpszText = const_cast<char*>(buttons_[index - 1].key.c_str());
        return true;
    }
    return false;
}

}  // namespace customize
