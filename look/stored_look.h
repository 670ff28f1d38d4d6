// What the load makes of the stored settings, decided without windows: the value each control of
// the main window takes, or that it keeps its own. Whatever another tool wrote (a wrong type, no
// terminator, a megabyte of text, a number out of range) gives a defined value here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/value.h"

namespace core {

// The longest label: the load reads the Start button's text into 255 characters with a NUL.
constexpr size_t kMaxLabelLength = 254;

// The eight values the load reads, unconverted, in its order.
struct StoredLook {
    settings::Value label, alpha, x, width, y, height, autostart, make_opaque;
};

// Copies the load keeps between its runs (as long as the main window lives): a value that does not
// convert keeps the copy of the previous load. The alpha starts where its slider starts, 255.
struct LoadCopies {
    std::string label;
    int16_t alpha = 255, x = 0, width = 0, y = 0;
};

struct LoadPlan {
    bool tick_autostart = false;  // never cleared by the load
    bool tick_make_opaque = false;
    std::string label;  // up to its first NUL, at most kMaxLabelLength characters
    // Slider values; none leaves the slider as it is. A value outside a slider's range is the
    // slider's to refuse.
    std::optional<int> alpha;  // none when nothing is stored: an alpha of 0 hides the taskbar
    int x = 0;
    std::optional<int> width;  // none for 0: the width slider keeps its value
    int y = 0;
    std::optional<int> height;  // none for 0 or a value that does not convert
};

LoadPlan PlanLoad(const StoredLook& stored, LoadCopies& copies);

// The X and width sliders reach as far as the screen is wide: the client width of the customize
// window stretched to the screen's width (the screen less that window's frame), plus ten. None when
// there is no sound width to go by, so that no stored position is clamped by a failed measurement.
std::optional<int> PlanXSliderMaximum(int screen_width, int customize_frame_width);

}  // namespace core
