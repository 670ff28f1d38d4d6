// The one region slot that every outline builder writes and the shape application hands to the
// Start button. A region is either ours (held here until it is replaced or handed over) or the
// window system's (after a successful SetWindowRgn), never both and never neither.
#pragma once

#include <windows.h>

#include "win/handles.h"

namespace shaping {

class CurrentRegion {
public:
    enum class State {
        kNone,        // nothing built in this run: applying gives the window its full rectangle
        kOwned,       // a region we built and still own
        kNull,        // a builder produced no region (an empty text outline): full rectangle too
        kHandedOver,  // the window system took the last region; it must not be touched again
    };

    // Takes ownership of a freshly built region (null means "no region"). A region that is replaced
    // before it was handed over is deleted.
    void Replace(HRGN region);
    // Sets the slot's region as the window's region. Applying again after a hand-over keeps the
    // window's present outline; a region the window did not take is deleted.
    void ApplyTo(HWND window);

    State state() const { return state_; }
    HRGN owned() const { return owned_.get(); }

private:
    win::unique_hrgn owned_;
    State state_ = State::kNone;
};

}  // namespace shaping
