#include "look/shape.h"

#include <string>

namespace core {

ShapeType ParseShapeType(const settings::Value& stored) {
    const std::string word = settings::TrimSpaces(settings::StripTerminator(stored.ToText()));
    for (ShapeType shape : {ShapeType::kEllipse, ShapeType::kRectangle, ShapeType::kText})
        if (word == ShapeTypeWord(shape)) return shape;
    return ShapeType::kNone;
}

const char* ShapeTypeWord(ShapeType shape) {
    switch (shape) {
        case ShapeType::kEllipse:
            return "Ellipse";
        case ShapeType::kRectangle:
            return "Rectangle";
        case ShapeType::kText:
            return "Text";
        default:
            return nullptr;
    }
}

win::unique_hrgn BuildBoxOutline(ShapeType shape, const OutlineBox& box) {
    switch (shape) {
        case ShapeType::kEllipse:
            return win::unique_hrgn(CreateEllipticRgn(0, 0, box.width, box.height));
        case ShapeType::kRectangle:
            return win::unique_hrgn(CreateRectRgn(0, 0, box.width, box.height));
        default:
            return win::unique_hrgn();
    }
}

}  // namespace core
