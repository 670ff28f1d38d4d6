#include "core/shape.h"

#include <string>

namespace core {

ShapeType ParseShapeType(const settings::Value& stored) {
    const std::string text = settings::StripTerminator(stored.ToText());
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return ShapeType::kNone;
    const std::string word = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (word == "Ellipse") return ShapeType::kEllipse;
    if (word == "Rectangle") return ShapeType::kRectangle;
    if (word == "Text") return ShapeType::kText;
    return ShapeType::kNone;
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
