// The look Pelmora gives the shell, as one plain value: what the windows show and edit, what the
// settings store loads and stores, and what the restyler applies once a second.
#pragma once

#include <cstdint>
#include <string>

#include "look/shape.h"
#include "look/outline_font.h"

namespace core {

// The Start button's place and size, in pixels relative to its taskbar's client area.
struct Placement {
    int x = 0, y = 0, width = 100, height = 32;
};

struct Look {
    // The new-label box's present text, applied or not: it reaches the Start button at each tick.
    std::string label = "start";
    int16_t alpha = 255;       // the taskbar's alpha while "Make Opaque" is ticked
    bool make_opaque = false;  // "Make Opaque": the taskbars are layered with `alpha`
    Placement placement;
    ShapeType shape = ShapeType::kNone;
    std::string outline_text = "Start";  // the text of a text-shaped outline
    FontAttributes font{"Arial"};        // the font it was last drawn with
    bool autostart = false;
};

// Where the text outline takes its font from: the stored values until the user picks a font in
// this run, then the font dialog's last values.
struct OutlineFontSource {
    bool picked = false;
    FontAttributes dialog;
};

}  // namespace core
