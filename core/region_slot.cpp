#include "core/region_slot.h"

namespace core {

bool HasRegion(HWND window, HRGN region) {
    const win::unique_hrgn now(CreateRectRgn(0, 0, 0, 0));
    if (!now) return false;
    const int kind = GetWindowRgn(window, now.get());
    if (!region) return kind == ERROR;  // no region: the window shows its whole rectangle
    if (kind == ERROR) return false;
    // The same points, however they are cut into rectangles: the system may store a region another
    // way than it was made, and EqualRgn compares the rectangles.
    return CombineRgn(now.get(), now.get(), region, RGN_XOR) == NULLREGION;
}

void RegionSlot::Drop() {
    if (owned_) delete_region_(owned_);
    owned_ = nullptr;
}

void RegionSlot::Replace(win::unique_hrgn region) {
    Drop();
    owned_ = region.release();
    state_ = owned_ ? State::kOwned : State::kNull;
}

bool RegionSlot::IsOn(HWND window) const { return HasRegion(window, owned_); }

bool RegionSlot::CopyTo(HWND window) const {
    if (!owned_) return SetWindowRgn(window, nullptr, TRUE) != 0;
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    if (!copy) return false;
    if (CombineRgn(copy, owned_, nullptr, RGN_COPY) != ERROR && SetWindowRgn(window, copy, TRUE))
        return true;       // the window system's now: never deleted, never used again
    delete_region_(copy);  // the window did not take it: still ours
    return false;
}

}  // namespace core
