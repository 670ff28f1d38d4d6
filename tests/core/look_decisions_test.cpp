// What the core decides, without a window: the shape a stored type names, the size of a box
// outline, what becomes of a copy of the outline that a window refuses, where a Start button is
// placed, and which font a text outline takes, how large it draws and that its context gets its own
// font back.
#include <gtest/gtest.h>

#include <vector>

#include "shell/region_slot.h"
#include "shell/restyler.h"
#include "look/shape.h"
#include "shell/text_outline.h"

namespace {

using core::FontAttributes;
using core::ShapeType;
using settings::Value;

TEST(ShapeTypeParsing, StoredWordWithoutTerminatorOrSurroundingSpaces) {
    auto parse = [](const std::string& raw) { return core::ParseShapeType(Value::Text(raw)); };
    EXPECT_EQ(parse(std::string("Ellipse\0", 8)), ShapeType::kEllipse);
    EXPECT_EQ(parse(std::string("  Rectangle \0", 13)), ShapeType::kRectangle);
    EXPECT_EQ(parse("Text"), ShapeType::kText);  // another tool's text without a terminator
    EXPECT_EQ(parse(std::string("ellipse\0", 8)), ShapeType::kNone);
    EXPECT_EQ(parse(std::string("Text\0Ellipse\0", 13)), ShapeType::kText);  // a text ends at its first NUL
    EXPECT_EQ(parse("\tText"), ShapeType::kNone);                            // spaces only are stripped
    EXPECT_EQ(core::ParseShapeType(Value()), ShapeType::kNone);
    EXPECT_EQ(core::ParseShapeType(Value::Int32(7)), ShapeType::kNone);
}

TEST(BoxOutline, FillsTheBoxAndIsEmptyWithoutWidth) {
    RECT box{};
    win::unique_hrgn ellipse = core::BuildBoxOutline(ShapeType::kEllipse, {80, 18});
    ASSERT_TRUE(ellipse);
    GetRgnBox(ellipse.get(), &box);
    EXPECT_NEAR(box.right - box.left, 80, 1);  // an ellipse's box may leave out its last column and row
    EXPECT_NEAR(box.bottom - box.top, 18, 1);
    EXPECT_FALSE(PtInRegion(ellipse.get(), 1, 1));  // the corner lies outside the ellipse
    win::unique_hrgn rectangle = core::BuildBoxOutline(ShapeType::kRectangle, {80, 18});
    GetRgnBox(rectangle.get(), &box);
    EXPECT_EQ(box.right - box.left, 80);
    EXPECT_EQ(box.bottom - box.top, 18);
    EXPECT_TRUE(PtInRegion(rectangle.get(), 1, 1));

    win::unique_hrgn nothing = core::BuildBoxOutline(ShapeType::kRectangle, {0, 18});
    ASSERT_TRUE(nothing);  // a region, but an empty one: the button is not visible at all
    EXPECT_EQ(GetRgnBox(nothing.get(), &box), NULLREGION);
    EXPECT_FALSE(core::BuildBoxOutline(ShapeType::kText, {80, 18}));
    EXPECT_FALSE(core::BuildBoxOutline(ShapeType::kNone, {80, 18}));
}

TEST(Placement, ChildInParentCoordinatesTopLevelAtTheScreenPointWithoutActivation) {
    const core::Placement p{5, 3, 50, 30};
    const core::PlacementCall child = core::PlanPlacement(false, POINT{100, 700}, p);
    EXPECT_EQ(child.x, 5);
    EXPECT_EQ(child.y, 3);
    EXPECT_EQ(child.flags, 0u);  // moved, sized and first among its siblings
    const core::PlacementCall top = core::PlanPlacement(true, POINT{100, 700}, p);
    EXPECT_EQ(top.x, 105);
    EXPECT_EQ(top.y, 703);
    EXPECT_EQ(top.flags, static_cast<UINT>(SWP_NOACTIVATE | SWP_NOZORDER));
}

TEST(OutlineFont, BeforeAFontIsPickedTheStoredValuesWithoutFallback) {
    const FontAttributes current{"Tahoma", 20.0f, true, false, false, true};
    core::StoredOutlineFont stored;
    stored.size = 14.0f;
    stored.italic = true;
    FontAttributes f =
        core::ChooseOutlineFont(false, FontAttributes{"Ignored"}, "DejaVu Sans", stored, current);
    EXPECT_EQ(f.name, "DejaVu Sans");
    EXPECT_EQ(f.size, 14.0f);
    EXPECT_TRUE(f.bold);  // absent: kept
    EXPECT_TRUE(f.italic);
    EXPECT_TRUE(f.underline);

    // No face stored: the face stays (no "Arial" here); a size of 0 or beyond any font is refused.
    for (float refused : {0.0f, -3.0f, 2161.0f}) {
        stored.size = refused;
        f = core::ChooseOutlineFont(false, FontAttributes{}, "", stored, current);
        EXPECT_EQ(f.name, "Tahoma");
        EXPECT_EQ(f.size, 20.0f) << refused;
    }
    f = core::ChooseOutlineFont(false, FontAttributes{}, std::string(40, 'x'), stored, current);
    EXPECT_EQ(f.name, "Tahoma");  // longer than any face name can be
}

TEST(OutlineFont, OnceAFontIsPickedTheDialogsFaceElseTheStoredElseArial) {
    const FontAttributes current{"Tahoma", 20.0f, true, true, true, true};
    core::StoredOutlineFont stored;
    stored.bold = true;
    FontAttributes dialog{"DejaVu Serif", 15.0f, false, false, true, false};
    FontAttributes f = core::ChooseOutlineFont(true, dialog, "DejaVu Sans", stored, current);
    EXPECT_EQ(f.name, "DejaVu Serif");
    EXPECT_EQ(f.size, 15.0f);
    EXPECT_FALSE(f.bold);  // the dialog's flags, not the stored ones
    EXPECT_TRUE(f.strikethrough);
    dialog.name.clear();
    EXPECT_EQ(core::ChooseOutlineFont(true, dialog, "DejaVu Sans", stored, current).name, "DejaVu Sans");
    EXPECT_EQ(core::ChooseOutlineFont(true, dialog, "", stored, current).name, "Arial");
}

// 72 points are an inch: a 72-point font's em is as many pixels as the context has per inch. An "O"
// is 0.70 to 0.75 of the em in Arial and its stand-ins (Wine draws Arial with Liberation Sans: 67
// pixels at 96 DPI; 52 if an inch were taken as 96 points).
TEST(TextOutline, A72PointLetterIsAboutAnInchOfPixelsTallAtTheContextsDpiOrTheOneGiven) {
    core::TextOutliner outliner;
    ASSERT_TRUE(outliner.Create(nullptr));
    FontAttributes font;
    font.name = "Arial";
    font.size = 72.0f;
    auto height = [&](int dpi) {
        win::unique_hrgn outline = outliner.Build("O", font, dpi);
        RECT box{};
        if (outline) GetRgnBox(outline.get(), &box);
        return box.bottom - box.top;
    };
    win::unique_hdc screen_like(CreateCompatibleDC(nullptr));
    const int pixels_per_inch = GetDeviceCaps(screen_like.get(), LOGPIXELSY);
    EXPECT_NEAR(height(0), 0.72 * pixels_per_inch, 0.04 * pixels_per_inch);
    // The Start button's monitor at twice the scale: an inch of its pixels, not the context's.
    EXPECT_NEAR(height(2 * pixels_per_inch), 2 * 0.72 * pixels_per_inch, 0.08 * pixels_per_inch);
    EXPECT_NEAR(height(0), 0.72 * pixels_per_inch, 0.04 * pixels_per_inch);
}

// The outliner selects font after font into one context and deletes each it replaces: every
// selection takes the last one out, and the context ends with its own font, never one of those.
TEST(SelectedObject, EachSelectionTakesTheLastOutAndTheContextGetsItsOwnBack) {
    win::unique_hdc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ own = GetCurrentObject(dc.get(), OBJ_FONT);
    auto font = [](int height) {
        return win::unique_hfont(
            CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    };
    const win::unique_hfont first = font(12), second = font(24);
    {
        win::unique_select_object selected;
        ASSERT_TRUE(selected.select(dc.get(), first.get()));
        ASSERT_TRUE(selected.select(dc.get(), second.get()));
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), second.get());
        EXPECT_FALSE(selected.select(dc.get(), nullptr));  // refused: the last stays
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), second.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), own);
}

}  // namespace
