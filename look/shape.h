// The Start button's outline: which shape the stored type names, and the elliptic or rectangular
// region it makes.
#pragma once

#include <windows.h>

#include "settings/value.h"
#include "win/handles.h"

namespace core {

enum class ShapeType { kNone, kEllipse, kRectangle, kText };

// The stored type without its terminator and without spaces around it, compared exactly:
// "Ellipse", "Rectangle" or "Text"; anything else (absent, another case, another word) is none.
ShapeType ParseShapeType(const settings::Value& stored);
// The stored word of a shape; null for none.
const char* ShapeTypeWord(ShapeType shape);

// The box an elliptic or rectangular outline fills, from the Start button's top-left corner.
struct OutlineBox {
    int width = 0;   // the width slider's value
    int height = 0;  // the Start button's present height
};

// The ellipse inscribed in the box, or the box itself; null for the other shapes. A box without
// width or height gives an empty region: the button is not visible at all.
win::unique_hrgn BuildBoxOutline(ShapeType shape, const OutlineBox& box);

}  // namespace core
