#include "shaping/current_region.h"

namespace shaping {

void CurrentRegion::Drop() {
    if (owned_) delete_region_(owned_);
    owned_ = nullptr;
}

void CurrentRegion::Replace(HRGN region) {
    Drop();
    owned_ = region;
    state_ = region ? State::kOwned : State::kNull;
}

void CurrentRegion::ApplyTo(HWND window) {
    switch (state_) {
        case State::kHandedOver:
            return;
        case State::kNone:
        case State::kNull:
            SetWindowRgn(window, nullptr, TRUE);
            return;
        case State::kOwned:
            if (SetWindowRgn(window, owned_, TRUE)) {
                owned_ = nullptr;  // the window system's now: never deleted, never used again
                state_ = State::kHandedOver;
            } else {
                Drop();
                state_ = State::kNone;
            }
            return;
    }
}

void CurrentRegion::ApplyCopyTo(HWND window) const {
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

}  // namespace shaping
