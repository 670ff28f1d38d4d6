#include "core/stored_look.h"

#include "settings/names.h"
#include "settings/registry.h"

namespace core {

StoredLook ReadStoredLook() {
    StoredLook s;
    s.label = registry::ReadSetting(names::kLabel);
    s.alpha = registry::ReadSetting(names::kAlpha);
    s.x = registry::ReadSetting(names::kX);
    s.width = registry::ReadSetting(names::kWidth);
    s.y = registry::ReadSetting(names::kY);
    s.height = registry::ReadSetting(names::kHeight);
    s.autostart = registry::ReadSetting(names::kAutostart);
    s.make_opaque = registry::ReadSetting(names::kMakeOpaque);
    return s;
}

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
    if (plan.label.size() > kMaxLabelLength) plan.label.resize(kMaxLabelLength);
    if (alpha_stored) plan.alpha = copies.alpha;
    plan.x = copies.x;
    if (copies.width != 0) plan.width = copies.width;
    plan.y = copies.y;
    if (std::optional<double> n = stored.height.ToNumber(); n && *n != 0) {
        if (std::optional<int16_t> height = stored.height.ToInt16()) plan.height = *height;
    }
    return plan;
}

}  // namespace core
