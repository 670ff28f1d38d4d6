#include "controls/controls.h"

#include <vector>

#include "win/handles.h"
#include "win/text.h"

namespace controls {

bool Button::Create(HWND parent, const RECT& r, int id, const char* caption, DWORD extra_style) {
    return CreateControl(parent, "BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP | extra_style, 0, r, id);
}

void Button::OnCommand(WORD code, WORD /*id*/) {
    if (code == BN_CLICKED && Click) Click();
}

bool Frame::Create(HWND parent, const RECT& r, int id, const char* caption) {
    return CreateControl(parent, "BUTTON", caption, BS_GROUPBOX, WS_EX_TRANSPARENT, r, id);
}

bool Label::Create(HWND parent, int x, int y, int id, const char* text) {
    if (!CreateControl(parent, "STATIC", text, SS_LEFT | SS_NOPREFIX, WS_EX_TRANSPARENT,
                       RECT{x, y, x + 1, y + 1}, id))
        return false;
    Place(x, y);
    return true;
}

void Label::Place(int x, int y) {
    if (!hwnd()) return;
    win::unique_hdc_window dc(hwnd());
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    win::unique_select_object select(dc.get(), font ? font : GetStockObject(SYSTEM_FONT));
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(hwnd())) + 1);
    const int length = GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.data(), length, &size);
    SetWindowPos(hwnd(), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::TakeClicks() {
    if (hwnd()) SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) | SS_NOTIFY);
}

void Label::OnCommand(WORD code, WORD /*id*/) {
    if (code == STN_CLICKED && Click) Click();
}

void Picture::Set(HANDLE image, UINT image_type, const RECT& r, Fit fit) {
    image_ = image;
    type_ = image_type;
    bounds_ = r;
    fit_ = fit;
}

void Picture::Paint(HDC dc) const {
    if (!image_) return;
    const int width = bounds_.right - bounds_.left;
    const int height = bounds_.bottom - bounds_.top;
    if (type_ == IMAGE_ICON) {
        DrawIconEx(dc, bounds_.left, bounds_.top, static_cast<HICON>(image_), width, height, 0, nullptr,
                   DI_NORMAL);
        return;
    }
    BITMAP bm{};
    if (!GetObjectW(image_, sizeof bm, &bm)) return;
    win::unique_hdc memory(CreateCompatibleDC(dc));
    win::unique_select_object select(memory.get(), image_);
    if (fit_ == Fit::kStretch) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, bounds_.left, bounds_.top, width, height, memory.get(), 0, 0, bm.bmWidth, bm.bmHeight,
                   SRCCOPY);
    } else {
        BitBlt(dc, bounds_.left, bounds_.top, bm.bmWidth, bm.bmHeight, memory.get(), 0, 0, SRCCOPY);
    }
}

bool Picture::Contains(POINT pt) const { return PtInRect(&bounds_, pt) != FALSE; }

void Timer::Start(HWND owner, UINT_PTR id, UINT interval_ms) {
    Stop();
    owner_ = owner;
    id_ = id;
    SetTimer(owner_, id_, interval_ms, nullptr);
}

void Timer::Stop() {
    if (owner_) KillTimer(owner_, id_);
    owner_ = nullptr;
}

bool Timer::OnTimer(UINT_PTR id) {
    if (!owner_ || id != id_) return false;
    if (Tick) Tick();
    return true;
}

}  // namespace controls
