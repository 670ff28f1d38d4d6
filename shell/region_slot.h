// The one outline every builder writes and the shape application gives the Start buttons. The
// outline itself stays ours for as long as it is the look's (it is what a button's region is
// compared with); each button is given a copy, which belongs to the window system once the button
// has taken it and is deleted when the button refuses it.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "win/handles.h"

namespace core {

class RegionSlot {
  public:
    // How a region that is still ours goes; a test may watch the deletions.
    using DeleteRegionFn = void (*)(HRGN);
    static void DeleteRegion(HRGN region) { DeleteObject(region); }

    explicit RegionSlot(DeleteRegionFn delete_region = DeleteRegion) : owned_(nullptr, delete_region) {}
    RegionSlot(const RegionSlot&) = delete;
    RegionSlot& operator=(const RegionSlot&) = delete;

    enum class State {
        kNone,   // nothing built in this run: a button gets its full rectangle
        kOwned,  // an outline we built
        kNull,   // a builder produced no region (an empty text outline): full rectangle too
    };

    // Takes over a freshly built outline (null means "no region"); the one it replaces is deleted.
    void Replace(win::unique_hrgn region);
    // Whether the window's region is this outline now (no region at all for none). The form in
    // which a window held the outline at the last comparison is kept, so that later ones compare
    // its bytes first.
    bool IsOn(HWND window);
    // Gives the window a copy of the outline, or takes its region away for none; false when the
    // window refused it.
    bool CopyTo(HWND window) const;

    State state() const { return state_; }
    HRGN owned() const { return owned_.get(); }

  private:
    // A region of ours, deleted through the slot's delete function.
    using OwnedRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, DeleteRegionFn>;

    OwnedRegion owned_;
    State state_ = State::kNone;
    // The outline's region data as a window held it when last found equal (empty before), and
    // the window's region data read for a comparison, kept so that a tick allocates nothing.
    std::vector<BYTE> held_form_, read_form_;
};

// Whether `window`'s region is `region` (null: the window has no region).
bool HasRegion(HWND window, HRGN region);

}  // namespace core
