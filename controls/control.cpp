#include "controls/controls.h"

#include "win/dpi.h"

namespace controls {

HFONT DefaultFont() {
    static const HFONT font = [] {
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(8, win::ScreenDpi(), 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpyA(lf.lfFaceName, "Tahoma");
        HFONT created = CreateFontIndirectA(&lf);
        return created ? created : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

bool Control::CreateControl(HWND parent, const char* window_class, const char* text, DWORD style,
                            DWORD ex_style, const RECT& r, int id) {
    hwnd_ = CreateWindowExA(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    id_ = id;
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    return hwnd_ != nullptr;
}

void Control::SetVisible(bool visible) {
    if (hwnd_ && Visible() != visible) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Visible() const { return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void Control::Move(const RECT& r) {
    if (hwnd_) MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

Control* ControlHost::FromHandle(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (Control* c : controls_)
        if (c->hwnd() == hwnd) return c;
    return nullptr;
}

bool ControlHost::Forward(UINT msg, WPARAM wp, LPARAM lp) {
    Control* control = FromHandle(reinterpret_cast<HWND>(lp));
    if (!control) return false;
    switch (msg) {
        case WM_COMMAND:
            control->OnCommand(HIWORD(wp));
            return true;
        case WM_HSCROLL:
            control->OnScroll(LOWORD(wp), HIWORD(wp));
            return true;
        default:
            return false;
    }
}

}  // namespace controls
