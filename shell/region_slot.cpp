#include "shell/region_slot.h"

namespace core {

namespace {

// The region's data (header and rectangles) into `data`; false when it cannot be read.
bool ReadRegionData(HRGN region, std::vector<BYTE>& data) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) return false;
    data.resize(size);
    return GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())) == size;
}

}  // namespace

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

void RegionSlot::Replace(win::unique_hrgn region) {
    owned_.reset(region.release());
    state_ = owned_ ? State::kOwned : State::kNull;
    held_form_.clear();  // a window holding the old outline must not match the new one
}

bool RegionSlot::IsOn(HWND window) {
    if (!owned_) return HasRegion(window, nullptr);
    const win::unique_hrgn now(CreateRectRgn(0, 0, 0, 0));
    if (!now || GetWindowRgn(window, now.get()) == ERROR) return false;
    // The same rectangles are the same points: a window still holding the outline as it held it
    // at the last comparison is told by its bytes, without combining regions of many rectangles
    // (a text outline's). Other data may still be the same points cut otherwise.
    const bool read = ReadRegionData(now.get(), read_form_);
    if (read && read_form_ == held_form_) return true;
    if (CombineRgn(now.get(), now.get(), owned_.get(), RGN_XOR) != NULLREGION) return false;
    if (read) held_form_.swap(read_form_);
    return true;
}

bool RegionSlot::CopyTo(HWND window) const {
    if (!owned_) return SetWindowRgn(window, nullptr, TRUE) != 0;
    OwnedRegion copy(CreateRectRgn(0, 0, 0, 0), owned_.get_deleter());
    if (!copy || CombineRgn(copy.get(), owned_.get(), nullptr, RGN_COPY) == ERROR) return false;
    if (!SetWindowRgn(window, copy.get(), TRUE)) return false;  // the window did not take it: still ours
    copy.release();  // the window system's now: never deleted, never used again
    return true;
}

}  // namespace core
