// The one region slot that every outline builder writes and the shape application hands to the
// Start button. A region is either ours (held here until it is replaced or handed over) or the
// window system's (after a successful SetWindowRgn), never both and never neither.
#pragma once

#include <windows.h>

#include "win/handles.h"

namespace core {

class RegionSlot {
  public:
    // How a region that is still ours goes; a test may watch the deletions.
    using DeleteRegionFn = void (*)(HRGN);
    static void DeleteRegion(HRGN region) { DeleteObject(region); }

    explicit RegionSlot(DeleteRegionFn delete_region = DeleteRegion) : delete_region_(delete_region) {}
    ~RegionSlot() { Drop(); }
    RegionSlot(const RegionSlot&) = delete;
    RegionSlot& operator=(const RegionSlot&) = delete;

    enum class State {
        kNone,        // nothing built in this run: applying gives the window its full rectangle
        kOwned,       // a region we built and still own
        kNull,        // a builder produced no region (an empty text outline): full rectangle too
        kHandedOver,  // the window system took the last region; it must not be touched again
    };

    // Takes over a freshly built region (null means "no region"). A region that is replaced before
    // it was handed over is deleted.
    void Replace(win::unique_hrgn region);
    // Sets the slot's region as the window's region. Applying again after a hand-over keeps the
    // window's present outline; a region the window did not take is deleted.
    void ApplyTo(HWND window);
    // Gives another window the same outline as a region of its own (a region handed to a window
    // belongs to that window), before ApplyTo hands the slot's region over. Nothing is done after a
    // hand-over: the other window keeps its present outline, as the first one does.
    void ApplyCopyTo(HWND window) const;

    State state() const { return state_; }
    HRGN owned() const { return owned_; }

  private:
    void Drop();

    DeleteRegionFn delete_region_;
    HRGN owned_ = nullptr;
    State state_ = State::kNone;
};

}  // namespace core
