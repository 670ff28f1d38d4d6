#include "shaping/current_region.h"

namespace shaping {

void CurrentRegion::Replace(HRGN region) {
    owned_.reset(region);
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
            if (SetWindowRgn(window, owned_.get(), TRUE)) {
                owned_.release();
                state_ = State::kHandedOver;
            } else {
                owned_.reset();
                state_ = State::kNone;
            }
            return;
    }
}

}  // namespace shaping
