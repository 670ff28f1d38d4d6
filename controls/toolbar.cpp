#include "controls/toolbar.h"

#include "win/text.h"

namespace controls {

bool Toolbar::Create(HWND parent, int id, int height_px, int bitmap_id, COLORREF mask,
                     const std::vector<ButtonSpec>& buttons) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    buttons_ = buttons;
    captions_.clear();
    for (const ButtonSpec& b : buttons_) captions_.emplace_back(b.caption);
    if (!CreateControl(parent, "ToolbarWindow32", "",
                       TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER, 0,
                       RECT{0, 0, 100, height_px}, id, false))
        return false;
    SendMessageW(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    images_.reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap_id), 16, 0, mask,
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
    SendMessageW(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));

    std::vector<TBBUTTON> tb(buttons_.size());
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTON& b = tb[i];
        b = TBBUTTON{};
        if (buttons_[i].image < 0) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 8;
        } else {
            b.iBitmap = buttons_[i].image;
            b.idCommand = buttons_[i].command;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_CHECK;
            b.iString = reinterpret_cast<INT_PTR>(captions_[i].c_str());
        }
    }
    SendMessageW(hwnd(), TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageW(hwnd(), TB_AUTOSIZE, 0, 0);
    // The tool tip asks for its texts on its own behalf.
    Claim(reinterpret_cast<HWND>(SendMessageW(hwnd(), TB_GETTOOLTIPS, 0, 0)));
    return true;
}

const Toolbar::ButtonSpec* Toolbar::ButtonOf(int command) const {
    for (const ButtonSpec& b : buttons_)
        if (b.image >= 0 && b.command == command) return &b;
    return nullptr;
}

const win::WideText* Toolbar::CaptionOf(int command) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].image >= 0 && buttons_[i].command == command) return &captions_[i];
    return nullptr;
}

int Toolbar::ButtonValue(int command) const {
    if (!ButtonOf(command)) return 0;
    return SendMessageW(hwnd(), TB_ISBUTTONCHECKED, command, 0) ? 1 : 0;
}

void Toolbar::SetButtonValue(int command, int value) {
    if (ButtonOf(command)) SendMessageW(hwnd(), TB_CHECKBUTTON, command, MAKELPARAM(value ? TRUE : FALSE, 0));
}

void Toolbar::OnCommand(WORD /*code*/, WORD id) {
    if (ButtonOf(id) && ButtonClick) ButtonClick(id);
}

bool Toolbar::OnNotify(NMHDR* header) {
    // The tool tip asks for its text by the button's command identifier.
    if (header->code != TTN_GETDISPINFOW) return false;
    const win::WideText* caption = CaptionOf(static_cast<int>(header->idFrom));
    if (!caption) return false;
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = const_cast<wchar_t*>(caption->c_str());
    return true;
}

}  // namespace controls
