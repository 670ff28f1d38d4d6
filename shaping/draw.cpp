// The shape application: gives the Start button the outline named by the stored shape type.
#include "app/form1.h"
#include "customize/form2.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace app {

using shaping::OutlineBox;

namespace {
std::string TrimSpaces(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}
}  // namespace

void Form1::draw() {
    const std::string type =
        TrimSpaces(settings::StripTerminator(registry::ReadSetting(names::kType).ToText()));

    RECT window_rect{};
    OutlineBox& box = shape_.outline_box;
    if (start_button_ && GetWindowRect(start_button_, &window_rect)) box.height = window_rect.bottom - window_rect.top;
    box.width = HScroll3.Value();

    customize::Form2& form2 = CustomizeWindow();
    if (type == "Ellipse") {
        form2.Toolbar1.SetButtonValue(1, 1);
        shape_.region.Replace(CreateEllipticRgn(0, 0, box.width, box.height));
    } else if (type == "Rectangle") {
        form2.Toolbar1.SetButtonValue(3, 1);
        shape_.region.Replace(CreateRectRgn(0, 0, box.width, box.height));
    } else if (type == "Text") {
        form2.Toolbar1.SetButtonValue(5, 1);
        form2.Text2(0);
    }
    // Copies first: the extra Start buttons each take a region of their own, from the one outline
    // built above (a text outline is not rebuilt per monitor).
    for (const SecondaryTaskbar& extra : secondary_taskbars_) shape_.region.ApplyCopyTo(extra.start_button);
    shape_.region.ApplyTo(start_button_);
}

}  // namespace app
