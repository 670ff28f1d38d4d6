// An edit of the look: one field and its new value, as a person's input or the load makes it. One
// function decides what it changes in the look and what the shell is given; the store writes the
// field (core::store::WriteField). The windows turn input into edits and show the look.
#pragma once

#include <cstdint>
#include <vector>

#include "look/look.h"
#include "look/stored_look.h"

namespace core {

enum class LookField { kAutostart, kMakeOpaque, kAlpha, kX, kWidth, kY, kHeight };

struct LookEdit {
    LookField field;
    int value;  // a slider's value; 1 or 0 for a box
    bool operator==(const LookEdit& o) const { return field == o.field && value == o.value; }
};

// What the shell is given after an edit.
struct EditEffect {
    enum class Apply { kNothing, kAlpha, kPlacement } apply = Apply::kNothing;
    int16_t alpha = 255;
};

// Puts the edit into the look. The alpha goes on the taskbars as the slider sets it, and as 255
// when "Make Opaque" is cleared; a position or size places the Start buttons from all four values.
EditEffect ApplyEdit(Look& look, const LookEdit& edit);

// A slider's range; a value outside it is refused, as the slider refuses it.
struct SliderRange {
    int min = 0, max = 0;
    bool Takes(int value) const { return value >= min && value <= max; }
};
struct SliderRanges {
    SliderRange alpha, x, width, y, height;
};
// The ranges the sliders start with; the X and width maxima follow the screen from the first load.
constexpr SliderRanges kInitialSliderRanges{{0, 255}, {0, 2000}, {0, 2500}, {0, 100}, {0, 100}};

// The edits a load makes, in its order: "Startup" and "Make Opaque" ticked when stored so (the load
// never clears them), then the alpha and the four positions. Only a value that differs from the
// look and that its slider takes is an edit: each is applied and stored back as the user's own
// change would be.
std::vector<LookEdit> LoadEdits(const LoadPlan& plan, const Look& look, const SliderRanges& ranges);

// The X and width sliders' new maximum brings a larger position or width down to it.
std::vector<LookEdit> MaximumEdits(const Look& look, int x_max);

}  // namespace core
