// Every setting in every malformed form another tool (or a damaged registry) could leave, read
// through the real registry and decided by the core as the load and the text outline decide it:
// each falls back the way an absent value would, or keeps what it had, and nothing is undefined.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "look/shape.h"
#include "look/look.h"
#include "store/look_store.h"
#include "look/stored_look.h"
#include "look/outline_font.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/bad_forms.h"
#include "support/registry_support.h"

namespace {

using namespace bad_forms;

class BadSetting : public ::testing::TestWithParam<std::tuple<const char*, FormName>> {
  protected:
    test_support::CleanSettings clean_;
};

std::optional<int> Converted(const Read& r, bool zero_is_absent = false) {
    if (!r.number || !IsShortInt(*r.number) || (zero_is_absent && *r.number == 0)) return std::nullopt;
    return static_cast<int>(*r.number);
}

TEST_P(BadSetting, FallsBackAsTheSettingsTableSays) {
    const std::string name = std::get<0>(GetParam());
    const Form form = std::get<1>(GetParam()).form;
    const Good good = GoodValue(name);
    const Read read = ReadOf(form, good);
    EXPECT_TRUE(Store(name.c_str(), form, good)) << name;

    core::LoadCopies copies;  // as at the first load
    const core::LoadPlan plan = core::PlanLoad(core::store::ReadLook(), copies);
    const std::string face = settings::StripTerminator(registry::ReadSetting(names::kFontFace).ToText());
    const core::FontAttributes font = core::ChooseOutlineFont(
        false, core::FontAttributes{}, face, core::store::ReadOutlineFont(), core::Look().font);

    if (name == names::kLabel) {
        EXPECT_EQ(plan.label, read.text.value_or("").substr(0, core::kMaxLabelLength));
    } else if (name == names::kAlpha) {
        // Absent or empty: the slider keeps its 255; a value that does not convert keeps it too.
        const bool absent = !read.text || read.text->empty();
        EXPECT_EQ(plan.alpha, absent ? std::nullopt : std::optional<int>(Converted(read).value_or(255)));
    } else if (name == names::kX) {
        EXPECT_EQ(plan.x, Converted(read).value_or(0));
    } else if (name == names::kWidth) {
        EXPECT_EQ(plan.width, Converted(read, true));
    } else if (name == names::kY) {
        EXPECT_EQ(plan.y, Converted(read).value_or(0));
    } else if (name == names::kHeight) {
        EXPECT_EQ(plan.height, Converted(read, true));
    } else if (name == names::kAutostart) {
        EXPECT_EQ(plan.tick_autostart, read.number && *read.number == 1);
    } else if (name == names::kMakeOpaque) {
        EXPECT_EQ(plan.tick_make_opaque, read.number && *read.number == 1);
    } else if (name == names::kShapeType) {
        // Only the good text in the unterminated form names a shape.
        EXPECT_EQ(core::ParseShapeType(registry::ReadSetting(names::kShapeType)),
                  form == Form::kNoTerminator ? core::ShapeType::kEllipse : core::ShapeType::kNone);
    } else if (name == names::kOutlineText) {
        EXPECT_EQ(core::OutlineTextFrom(registry::ReadSetting(names::kOutlineText)), read.text.value_or(""));
    } else if (name == names::kFontFace) {
        EXPECT_EQ(font.name, FaceAfterLoad(read));
    } else if (name == names::kFontSize) {
        EXPECT_FLOAT_EQ(font.size, SizeAfterLoad(read));
    } else if (name == names::kFontBold) {
        EXPECT_EQ(font.bold, FlagAfterLoad(read));
    } else if (name == names::kFontItalic) {
        EXPECT_EQ(font.italic, FlagAfterLoad(read));
    } else if (name == names::kFontStrikethrough) {
        EXPECT_EQ(font.strikethrough, FlagAfterLoad(read));
    } else if (name == names::kFontUnderline) {
        EXPECT_EQ(font.underline, FlagAfterLoad(read));
    }
}

std::string CaseName(const ::testing::TestParamInfo<BadSetting::ParamType>& info) {
    return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
}

// 16 settings x 13 forms: 208 cases.
INSTANTIATE_TEST_SUITE_P(EverySettingEveryForm, BadSetting,
                         ::testing::Combine(::testing::ValuesIn(names::kAll), ::testing::ValuesIn(kForms)),
                         CaseName);

// A copy keeps the previous load's value when the next load finds one that does not convert.
TEST(LoadCopies, AValueThatDoesNotConvertKeepsThePreviousLoads) {
    core::StoredLook stored;
    stored.alpha = settings::Value::Text(std::string("120\0", 4));
    stored.width = settings::Value::Text(std::string("90\0", 3));
    core::LoadCopies copies;
    core::PlanLoad(stored, copies);
    stored.alpha = settings::Value::Text("junk");
    stored.width = settings::Value::Text("70000");
    const core::LoadPlan plan = core::PlanLoad(stored, copies);
    EXPECT_EQ(plan.alpha, std::optional<int>(120));
    EXPECT_EQ(plan.width, std::optional<int>(90));

    // An absent HS1 is not converted (to 0) at the first load: a later HS1 that does not convert
    // leaves the slider its 255, never 0 (which, with "Make Opaque" ticked, hides the taskbar).
    core::LoadCopies without_alpha;
    core::PlanLoad(core::StoredLook{}, without_alpha);
    stored.alpha = settings::Value::Text("abc");
    EXPECT_EQ(core::PlanLoad(stored, without_alpha).alpha.value_or(255), 255);
}

// The X sliders' maximum is the screen less the customize window's frame, plus ten; with no
// sound width to go by (no screen, a frame the system would not give) there is none, so a stored
// X or width is never clamped by a failed measurement.
TEST(XSliderMaximum, ScreenLessFramePlusTenOrNoneWithoutASoundWidth) {
    EXPECT_EQ(core::PlanXSliderMaximum(1024, 6), std::optional<int>(1028));
    EXPECT_EQ(core::PlanXSliderMaximum(0, 6), std::nullopt);
    EXPECT_EQ(core::PlanXSliderMaximum(1024, -1), std::nullopt);
    EXPECT_EQ(core::PlanXSliderMaximum(40000, 6), std::nullopt);
}

}  // namespace
