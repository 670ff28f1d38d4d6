#include "look/stored_look.h"

#include "win/text.h"

namespace core {

LoadPlan PlanLoad(const StoredLook& stored, LoadCopies& copies) {
    auto convert = [](const settings::Value& value, int16_t& copy) {
        if (std::optional<int16_t> v = value.ToInt16()) copy = *v;
    };
    copies.label = stored.label.ToText();
    const bool alpha_stored = !settings::StripTerminator(stored.alpha.ToText()).empty();
    if (alpha_stored) convert(stored.alpha, copies.alpha);
    convert(stored.x, copies.x);
    convert(stored.width, copies.width);
    convert(stored.y, copies.y);

    LoadPlan plan;
    plan.tick_autostart = stored.autostart.EqualsNumber(1);
    plan.tick_make_opaque = stored.make_opaque.EqualsNumber(1);
    plan.label = std::string(copies.label.c_str());  // a text box holds it up to its first NUL
    plan.label = win::HeldTo(plan.label, kMaxLabelLength);
    if (alpha_stored) plan.alpha = copies.alpha;
    plan.x = copies.x;
    if (copies.width != 0) plan.width = copies.width;
    plan.y = copies.y;
    if (std::optional<double> n = stored.height.ToNumber(); n && *n != 0) {
        if (std::optional<int16_t> height = stored.height.ToInt16()) plan.height = *height;
    }
    return plan;
}

std::optional<int> PlanXSliderMaximum(int screen_width, int customize_frame_width) {
    const int client_width = screen_width - customize_frame_width;
    if (screen_width <= 0 || customize_frame_width < 0 || client_width <= 0) return std::nullopt;
    const int x_max = client_width + 10;
    if (x_max > 32767) return std::nullopt;
    return x_max;
}

}  // namespace core
