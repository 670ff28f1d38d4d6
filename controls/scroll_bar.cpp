#include "controls/controls.h"

namespace controls {

bool ScrollBar::Create(HWND parent, const RECT& r, int id, const Range& range, bool tab_stop) {
    min_ = range.min;
    max_ = range.max;
    value_ = range.value;
    small_ = range.small_change;
    large_ = range.large_change;
    if (!CreateControl(parent, "SCROLLBAR", "", SBS_HORZ | (tab_stop ? WS_TABSTOP : 0), 0, r, id))
        return false;
    SyncScrollInfo();
    return true;
}

void ScrollBar::SyncScrollInfo() {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = min_;
    si.nMax = max_;
    si.nPage = 0;
    si.nPos = value_;
    SetScrollInfo(hwnd(), SB_CTL, &si, TRUE);
}

bool ScrollBar::SetValue(int value) {
    if (value < min_ || value > max_) return false;
    if (value != value_) {
        value_ = value;
        SyncScrollInfo();
    }
    return true;
}

void ScrollBar::SetMax(int max) {
    if (max < min_) max = min_;
    max_ = max;
    if (value_ > max_) value_ = max_;
    SyncScrollInfo();
}

void ScrollBar::OnScroll(WORD code, WORD position) {
    auto clamp = [this](long v) { return static_cast<int>(v < min_ ? min_ : (v > max_ ? max_ : v)); };
    const int before = value_;
    switch (code) {
        case SB_LINELEFT:
            SetValue(clamp(static_cast<long>(value_) - small_));
            break;
        case SB_LINERIGHT:
            SetValue(clamp(static_cast<long>(value_) + small_));
            break;
        case SB_PAGELEFT:
            SetValue(clamp(static_cast<long>(value_) - large_));
            break;
        case SB_PAGERIGHT:
            SetValue(clamp(static_cast<long>(value_) + large_));
            break;
        case SB_LEFT:
            SetValue(min_);
            break;
        case SB_RIGHT:
            SetValue(max_);
            break;
        case SB_THUMBPOSITION: {
            // A dragged thumb reports its 32-bit track position, which the 16-bit one in WM_HSCROLL
            // cannot carry for every range. A message sent without a drag (another program
            // driving the bar) has no track position: the system reports the present value.
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS | SIF_POS;
            int target = position;
            if (GetScrollInfo(hwnd(), SB_CTL, &si) && si.nTrackPos != si.nPos) target = si.nTrackPos;
            SetValue(clamp(target));
            SyncScrollInfo();
            break;
        }
        default:  // SB_THUMBTRACK, SB_ENDSCROLL: nothing happens while the thumb is dragged.
            break;
    }
    if (value_ != before && Change) Change();
}

}  // namespace controls
