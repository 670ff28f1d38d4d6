// What an edit does to the look and gives the shell, and which edits a load makes from the stored
// values: a value that differs from the look and that its slider takes, in the load's order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "look/look_edit.h"

namespace {

using core::LookEdit;
using core::LookField;
using settings::Value;

Value Stored(const std::string& text) { return Value::Text(text + '\0'); }

// The sliders' ranges before the X maximum is measured.
const core::SliderRanges kRanges{{0, 255}, {0, 2000}, {0, 2500}, {0, 100}, {0, 100}};

TEST(LoadEdits, OnlyStoredValuesThatDifferAndThatTheSlidersTakeInTheLoadsOrder) {
    core::LoadCopies copies;
    core::Look look;
    EXPECT_TRUE(core::LoadEdits(core::PlanLoad(core::StoredLook{}, copies), look, kRanges).empty())
        << "a first start stores nothing";

    core::StoredLook stored;
    stored.alpha = Stored("300");  // above the alpha's range: refused
    stored.x = Stored("2100");     // above the X slider's first maximum: refused
    stored.width = Stored("0");    // 0 keeps the width
    stored.y = Stored("7");
    stored.height = Stored("18");
    stored.autostart = Stored("1");
    stored.make_opaque = Stored("1");
    const core::LoadPlan plan = core::PlanLoad(stored, copies);
    const std::vector<LookEdit> expected = {{LookField::kAutostart, 1},
                                            {LookField::kMakeOpaque, 1},
                                            {LookField::kY, 7},
                                            {LookField::kHeight, 18}};
    EXPECT_EQ(core::LoadEdits(plan, look, kRanges), expected);

    // A later load (after a label change) finds them in the look: nothing is stored again.
    for (const LookEdit& edit : expected) core::ApplyEdit(look, edit);
    EXPECT_TRUE(core::LoadEdits(plan, look, kRanges).empty());
    // The load never clears a box.
    stored.autostart = Stored("0");
    EXPECT_TRUE(core::LoadEdits(core::PlanLoad(stored, copies), look, kRanges).empty());
}

TEST(LookEdits, MakeOpaqueClearedGivesTheTaskbarsFullAlphaAndAPositionPlacesFromAllFour) {
    core::Look look;
    look.alpha = 90;
    core::EditEffect effect = core::ApplyEdit(look, {LookField::kMakeOpaque, 1});
    EXPECT_EQ(effect.apply, core::EditEffect::Apply::kAlpha);
    EXPECT_EQ(effect.alpha, 90);
    effect = core::ApplyEdit(look, {LookField::kMakeOpaque, 0});
    EXPECT_EQ(effect.alpha, 255);
    EXPECT_EQ(look.alpha, 90) << "the slider keeps its alpha for the next tick of the box";

    effect = core::ApplyEdit(look, {LookField::kHeight, 20});
    EXPECT_EQ(effect.apply, core::EditEffect::Apply::kPlacement);
    EXPECT_EQ(look.placement.height, 20);
    EXPECT_EQ(core::ApplyEdit(look, {LookField::kAutostart, 1}).apply, core::EditEffect::Apply::kNothing);
    EXPECT_TRUE(look.autostart);

    // The X sliders' measured maximum brings a larger X or width down to it.
    look.placement.x = 1500;
    const std::vector<LookEdit> clamped = {{LookField::kX, 1028}};
    EXPECT_EQ(core::MaximumEdits(look, 1028), clamped);
}

}  // namespace
