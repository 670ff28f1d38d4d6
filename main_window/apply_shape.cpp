// The shape application: gives the Start button the outline named by the stored shape type.
#include "main_window/main_window.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace main_window {

void MainWindow::ApplyShape() {
    const core::ShapeType shape = core::ParseShapeType(registry::ReadSetting(names::kShapeType));

    core::OutlineBox& box = shape_.box;
    RECT window_rect{};
    if (shell_.start_button && GetWindowRect(shell_.start_button, &window_rect))
        box.height = window_rect.bottom - window_rect.top;
    box.width = width_slider.Value();

    // The toolbar shows the stored shape pressed; it releases no button (its shape buttons do).
    customize_window::CustomizeWindow& customize = Customize();
    switch (shape) {
        case core::ShapeType::kEllipse:
        case core::ShapeType::kRectangle:
            customize.shape_toolbar.SetButtonValue(
                shape == core::ShapeType::kEllipse ? customize_window::kEllipseButton : customize_window::kRectangleButton,
                1);
            shape_.region.Replace(core::BuildBoxOutline(shape, box));
            break;
        case core::ShapeType::kText:
            customize.shape_toolbar.SetButtonValue(customize_window::kTextButton, 1);
            customize.ChooseText(0);
            break;
        case core::ShapeType::kNone:
            break;
    }
    // One outline per application: the extra Start buttons take copies of it.
    core::ApplyOutline(shell_, shape_.region);
}

}  // namespace main_window
