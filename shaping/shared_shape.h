// State that the main window's shape application and the customize window's outline builders share.
#pragma once

#include <windows.h>

#include "shaping/current_region.h"

namespace shaping {

// The box an elliptic or rectangular outline fills, from the Start button's top-left corner.
struct OutlineBox {
    int width = 0;   // the width slider's value
    int height = 0;  // the Start button's present height
};

struct SharedShape {
    OutlineBox outline_box;
    CurrentRegion region;
};

}  // namespace shaping
