#include "look/look_edit.h"

namespace core {

namespace {

int& PlacementValue(Placement& placement, LookField field) {
    switch (field) {
        case LookField::kX:
            return placement.x;
        case LookField::kWidth:
            return placement.width;
        case LookField::kY:
            return placement.y;
        default:
            return placement.height;
    }
}

}  // namespace

EditEffect ApplyEdit(Look& look, const LookEdit& edit) {
    EditEffect effect;
    switch (edit.field) {
        case LookField::kAutostart:
            look.autostart = edit.value == 1;
            break;
        case LookField::kMakeOpaque:
            look.make_opaque = edit.value == 1;
            effect.apply = EditEffect::Apply::kAlpha;
            effect.alpha = look.make_opaque ? look.alpha : 255;
            break;
        case LookField::kAlpha:
            look.alpha = static_cast<int16_t>(edit.value);
            effect.apply = EditEffect::Apply::kAlpha;
            effect.alpha = look.alpha;
            break;
        case LookField::kX:
        case LookField::kWidth:
        case LookField::kY:
        case LookField::kHeight:
            PlacementValue(look.placement, edit.field) = edit.value;
            effect.apply = EditEffect::Apply::kPlacement;
            break;
    }
    return effect;
}

std::vector<LookEdit> LoadEdits(const LoadPlan& plan, const Look& look, const SliderRanges& ranges) {
    std::vector<LookEdit> edits;
    if (plan.tick_autostart && !look.autostart) edits.push_back({LookField::kAutostart, 1});
    if (plan.tick_make_opaque && !look.make_opaque) edits.push_back({LookField::kMakeOpaque, 1});
    auto slider = [&edits](LookField field, std::optional<int> value, int now, const SliderRange& range) {
        if (value && *value != now && range.Takes(*value)) edits.push_back({field, *value});
    };
    slider(LookField::kAlpha, plan.alpha, look.alpha, ranges.alpha);
    slider(LookField::kX, plan.x, look.placement.x, ranges.x);
    slider(LookField::kWidth, plan.width, look.placement.width, ranges.width);
    slider(LookField::kY, plan.y, look.placement.y, ranges.y);
    slider(LookField::kHeight, plan.height, look.placement.height, ranges.height);
    return edits;
}

std::vector<LookEdit> MaximumEdits(const Look& look, int x_max) {
    std::vector<LookEdit> edits;
    if (look.placement.x > x_max) edits.push_back({LookField::kX, x_max});
    if (look.placement.width > x_max) edits.push_back({LookField::kWidth, x_max});
    return edits;
}

}  // namespace core
