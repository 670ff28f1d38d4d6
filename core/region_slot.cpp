#include "core/region_slot.h"

namespace core {

void RegionSlot::Drop() {
    if (owned_) delete_region_(owned_);
    owned_ = nullptr;
}

void RegionSlot::Replace(win::unique_hrgn region) {
    Drop();
    owned_ = region.release();
    state_ = owned_ ? State::kOwned : State::kNull;
}

void RegionSlot::ApplyTo(HWND window) {
    // Without a region of ours the window is treated as another window would be.
    if (state_ != State::kOwned) return ApplyCopyTo(window);
    if (SetWindowRgn(window, owned_, TRUE)) {
        owned_ = nullptr;  // the window system's now: never deleted, never used again
        state_ = State::kHandedOver;
    } else {
        Drop();
        state_ = State::kNone;
    }
}

void RegionSlot::ApplyCopyTo(HWND window) const {
    switch (state_) {
        case State::kHandedOver:
            return;
        case State::kNone:
        case State::kNull:
            SetWindowRgn(window, nullptr, TRUE);
            return;
        case State::kOwned: {
            HRGN copy = CreateRectRgn(0, 0, 0, 0);
            if (!copy) return;
            if (CombineRgn(copy, owned_, nullptr, RGN_COPY) == ERROR || !SetWindowRgn(window, copy, TRUE))
                delete_region_(copy);  // the window did not take it: still ours
            return;
        }
    }
}

}  // namespace core
