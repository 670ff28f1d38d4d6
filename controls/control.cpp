#include "controls/controls.h"

#include <windowsx.h>

#include "win/dpi.h"
#include "win/text.h"

namespace controls {

namespace {

struct FontAtDpi {
    int dpi;
    HFONT font;
};
// One font per DPI the program meets (one per monitor scale, so a few), kept for the process: any
// control may still hold any of them, so none is ever deleted.
FontAtDpi fonts_at_dpi[8];

}  // namespace

HFONT DefaultFont(int dpi) {
    for (FontAtDpi& entry : fonts_at_dpi) {
        if (entry.font && entry.dpi == dpi) return entry.font;
        if (entry.font) continue;
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(8, dpi, 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(lf.lfFaceName, L"Tahoma");
        HFONT created = CreateFontIndirectW(&lf);
        entry = {dpi, created ? created : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
        return entry.font;
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // more scales than any desk has
}

bool IsDefaultFont(HFONT font) {
    if (!font) return false;
    for (const FontAtDpi& entry : fonts_at_dpi)
        if (entry.font == font) return true;
    return false;
}

namespace {
constexpr const wchar_t* kControlProperty = L"Pelmora.Control";
}  // namespace

Control::~Control() {
    if (hwnd_ && GetPropW(hwnd_, kControlProperty) == this) RemovePropW(hwnd_, kControlProperty);
}

Control* Control::FromWindow(HWND window) {
    return window ? static_cast<Control*>(GetPropW(window, kControlProperty)) : nullptr;
}

void Control::Claim(HWND window) {
    if (window) SetPropW(window, kControlProperty, this);
}

bool Control::CreateControl(HWND parent, const char* window_class, const char* text, DWORD style,
                            DWORD ex_style, const RECT& r, int id, bool default_font) {
    hwnd_ = CreateWindowExW(ex_style, win::Wide(window_class).c_str(), win::Wide(text).c_str(),
                            WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    id_ = id;
    Claim(hwnd_);
    if (hwnd_ && default_font) {
        const int dpi = win::WindowDpi(parent);
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont(dpi ? dpi : win::ScreenDpi())),
                     FALSE);
    }
    return hwnd_ != nullptr;
}

void Control::SetVisible(bool visible) {
    if (hwnd_ && Visible() != visible) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Visible() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void Control::Move(const RECT& r) {
    if (hwnd_) MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

Picture* ControlHost::PictureAt(POINT pt) const {
    for (Picture* p : pictures_)
        if (p->Contains(pt)) return p;
    return nullptr;
}

bool ControlHost::Forward(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            if (Control* control = Control::FromWindow(reinterpret_cast<HWND>(lp))) {
                control->OnCommand(HIWORD(wp), LOWORD(wp));
                return true;
            }
            if (lp != 0) return false;
            for (const auto& [id, handler] : commands_) {
                if (id == LOWORD(wp)) {
                    if (handler) handler();
                    return true;
                }
            }
            return false;
        }
        case WM_HSCROLL:
            if (Control* control = Control::FromWindow(reinterpret_cast<HWND>(lp))) {
                control->OnScroll(LOWORD(wp), HIWORD(wp));
                return true;
            }
            return false;
        case WM_NOTIFY: {
            NMHDR* header = reinterpret_cast<NMHDR*>(lp);
            Control* control = header ? Control::FromWindow(header->hwndFrom) : nullptr;
            return control && control->OnNotify(header);
        }
        case WM_TIMER:
            for (Timer* t : timers_)
                if (t->OnTimer(wp)) return true;
            return false;
        case WM_LBUTTONDOWN:
            pressed_ = PictureAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return pressed_ != nullptr;
        case WM_LBUTTONUP: {
            // A click is a press and a release on the same picture.
            Picture* picture = PictureAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            const bool clicked = picture && picture == pressed_;
            pressed_ = nullptr;
            if (clicked && picture->Click) picture->Click();
            return clicked;
        }
        default:
            return false;
    }
}

}  // namespace controls
