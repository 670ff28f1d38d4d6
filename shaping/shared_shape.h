// State that the main window's shape application and the customize window's outline builders share.
#pragma once

#include <windows.h>

#include "shaping/current_region.h"

namespace shaping {

struct SharedShape {
    // Filled from the Start button's window rectangle, then its right member is replaced by the
    // width slider's value: right holds a width, not a coordinate. Height is bottom - top.
    RECT start_button{};
    CurrentRegion region;
};

}  // namespace shaping
