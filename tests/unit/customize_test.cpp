// The customize window on its own (hidden, as the shape application uses it): the text outline's
// text and font, its re-entrant run, the font dialog's results, and the toolbar's pressed state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"

namespace {

using customize_window::FontDialogState;
using settings::Value;

std::string Stored(const char* name) {
    return settings::StripTerminator(registry::ReadSetting(name).RawText());
}

class Customize : public ::testing::Test {
protected:
    void SetUp() override {
        registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
        ASSERT_TRUE(form.Create());
    }
    void Store(const char* name, const std::string& text) { registry::WriteSetting(name, Value::Text(text)); }

    test_support::CleanSettings clean;
    core::SharedOutline shape;
    int applications = 0;
    customize_window::CustomizeWindow form{shape, [this] { ++applications; }};
};

TEST_F(Customize, StoredTextDifferentFromTheBoxBuildsTheOutlineOnceNested) {
    Store(names::kOutlineText, "Pelmora");
    ASSERT_NE(form.outline_text_box.Text(), "Pelmora");
    form.BuildTextOutline();
    EXPECT_EQ(form.TextOutlineRuns(), 2);  // the outer run and one nested through OnOutlineTextChanged
    EXPECT_EQ(form.outline_text_box.Text(), "Pelmora");
    EXPECT_EQ(Stored(names::kOutlineText), "Pelmora");
    EXPECT_EQ(registry::ReadSetting(names::kOutlineText).RawText(), std::string("Pelmora\0", 8));
    EXPECT_EQ(shape.region.state(), core::RegionSlot::State::kOwned);

    form.BuildTextOutline();  // the box already holds the stored text
    EXPECT_EQ(form.TextOutlineRuns(), 3);

    // Typing in the box stores the text and rebuilds the outline once.
    form.outline_text_box.SetText("Typed");
    EXPECT_EQ(Stored(names::kOutlineText), "Typed");
    EXPECT_EQ(form.TextOutlineRuns(), 4);
}

// Which font each case takes is the core's decision (tests/core); here the window feeds it: the
// stored values before a font is picked, the box and the dialog after.
TEST_F(Customize, OutlineTakesStoredFontThenTheBoxAndTheDialog) {
    Store(names::kFontFace, "Tahoma");
    Store(names::kFontSize, "20");
    Store(names::kFontBold, "True");
    form.BuildTextOutline();
    EXPECT_EQ(form.Font().name, "Tahoma");
    EXPECT_EQ(form.Font().size, 20.0f);
    EXPECT_TRUE(form.Font().bold);
    EXPECT_EQ(form.last_font_name, "Tahoma");

    form.font_picked = true;
    form.outline_text_box.SetText("Box");
    Store(names::kOutlineText, "Stored");
    const int runs = form.TextOutlineRuns();
    form.font_dialog.name.clear();
    form.font_dialog.size = 15.0f;
    Store(names::kFontFace, "DejaVu Sans Mono");
    form.BuildTextOutline();
    EXPECT_EQ(form.Font().name, "DejaVu Sans Mono");  // the dialog has no face: the stored one, read anew
    EXPECT_EQ(form.Font().size, 15.0f);
    EXPECT_FALSE(form.Font().bold);  // the dialog's flags now
    EXPECT_EQ(form.outline_text_box.Text(), "Box");
    EXPECT_EQ(form.TextOutlineRuns(), runs + 1);  // no nested run: the box is not touched
    EXPECT_EQ(Stored(names::kOutlineText), "Stored");
}

TEST_F(Customize, FontOptionsStoresTheDialogsValues) {
    Store(names::kFontFace, "DejaVu Sans");
    form.ChooseText(0);  // Font Options is reachable only after the text shape showed its frame
    EXPECT_TRUE(form.font_options_button.Visible());
    form.outline_text_box.SetText("Pelmora");

    std::vector<FontDialogState> offered;
    bool ok = false;
    FontDialogState pick;
    form.ShowFontDialog = [&](HWND, const FontDialogState& last, FontDialogState& chosen) {
        offered.push_back(last);
        if (ok) chosen = pick;
        return ok;
    };
    auto stored_font = [] {
        std::string all;
        for (const char* name : {names::kOutlineText, names::kFontFace, names::kFontSize, names::kFontBold, names::kFontItalic,
                                 names::kFontStrikethrough, names::kFontUnderline})
            all += Stored(name) + "|";
        return all;
    };

    // Cancelled on its first use: the stored face stays, the dialog's defaults are written.
    form.OnFontOptionsClicked();
    EXPECT_TRUE(form.font_picked);
    EXPECT_EQ(stored_font(), "Pelmora|DejaVu Sans|8|False|False|False|False|");
    EXPECT_EQ(form.Font().name, "DejaVu Sans");

    ok = true;
    pick = FontDialogState{"Tahoma", 8.25f, true, false, true, false};
    form.OnFontOptionsClicked();
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|8.25|True|False|True|False|");
    EXPECT_EQ(registry::ReadSetting(names::kFontSize).RawText(), std::string("8.25\0", 5));
    EXPECT_EQ(form.Font().name, "Tahoma");
    EXPECT_EQ(form.Font().size, 8.25f);
    EXPECT_TRUE(form.Font().bold);
    EXPECT_TRUE(form.Font().strikethrough);

    // Cancelled later: the values of the last use are written again.
    ok = false;
    form.OnFontOptionsClicked();
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|8.25|True|False|True|False|");
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].name, "");
    EXPECT_EQ(offered[2].name, "Tahoma");

    // Nothing chosen, nothing stored and no face read before: "Arial".
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kFontFace);
    form.font_dialog = FontDialogState{};
    form.last_font_name.clear();
    form.OnFontOptionsClicked();
    EXPECT_EQ(Stored(names::kFontFace), "Arial");
    EXPECT_EQ(form.Font().name, "Arial");
}

TEST_F(Customize, TextOutlineHasCountersAsHoles) {
    Store(names::kFontFace, "DejaVu Sans");
    Store(names::kFontSize, "72");
    for (const char* letter : {"O", "o", "0"}) {
        Store(names::kOutlineText, letter);
        form.BuildTextOutline();
        HRGN rgn = shape.region.owned();
        ASSERT_NE(rgn, nullptr) << letter;
        RECT box{};
        ASSERT_EQ(GetRgnBox(rgn, &box), COMPLEXREGION) << letter;
        const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        EXPECT_FALSE(PtInRegion(rgn, cx, cy)) << letter;  // the counter
        bool stroke = false;
        for (int x = box.left; x < cx && !stroke; ++x) stroke = PtInRegion(rgn, x, cy) != 0;
        EXPECT_TRUE(stroke) << letter;
        EXPECT_GT(box.bottom - box.top, 30) << letter;  // 72 points at 96 dpi
    }
}

TEST_F(Customize, EmptyTextGivesNoRegionAndTheStartButtonItsRectangle) {
    test_support::StartButtonRestorer restore;
    ASSERT_NE(restore.button(), nullptr);
    ASSERT_TRUE(SetWindowRgn(restore.button(), CreateEllipticRgn(0, 0, 20, 20), TRUE));
    for (const char* text : {"", "   "}) {
        Store(names::kOutlineText, "x");
        form.BuildTextOutline();
        ASSERT_EQ(shape.region.state(), core::RegionSlot::State::kOwned);
        Store(names::kOutlineText, text);
        form.BuildTextOutline();
        EXPECT_EQ(shape.region.state(), core::RegionSlot::State::kNull) << '"' << text << '"';
        EXPECT_EQ(shape.region.owned(), nullptr);
    }
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kOutlineText);
    form.BuildTextOutline();
    EXPECT_EQ(form.outline_text_box.Text(), "");
    EXPECT_EQ(shape.region.state(), core::RegionSlot::State::kNull);
    shape.region.ApplyTo(restore.button());
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(restore.button(), rgn), ERROR);
    DeleteObject(rgn);
}

TEST_F(Customize, ShapeMethodsAndToolbarClickSetThePressedButtons) {
    auto& bar = form.shape_toolbar;
    auto press_all = [&] {
        for (int i : {1, 3, 5}) bar.SetButtonValue(i, 1);
    };
    shape.box = {50, 20};
    press_all();
    form.ChooseEllipse(0);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 100);
    EXPECT_EQ(Stored(names::kShapeType), "Ellipse");
    EXPECT_FALSE(form.outline_text_box.Visible());
    RECT box{};
    ASSERT_NE(shape.region.owned(), nullptr);
    GetRgnBox(shape.region.owned(), &box);
    EXPECT_NEAR(box.right - box.left, 50, 1);
    EXPECT_NEAR(box.bottom - box.top, 20, 1);

    press_all();
    form.ChooseRectangle(0);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 10);
    EXPECT_EQ(Stored(names::kShapeType), "Rectangle");
    EXPECT_TRUE(PtInRegion(shape.region.owned(), 0, 0));

    press_all();
    form.ChooseText(0);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
    EXPECT_TRUE(form.outline_text_box.Visible());
    EXPECT_FALSE(IsWindowVisible(form.hwnd()));
    EXPECT_EQ(applications, 0);  // the methods do not apply the shape themselves

    // A click on "Rectangle" leaves it pressed alone.
    bar.SetButtonValue(3, 1);  // as a click on it leaves it
    form.OnShapeButtonClicked(3);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 10);
    EXPECT_EQ(Stored(names::kShapeType), "Rectangle");
    EXPECT_TRUE(IsWindowVisible(form.hwnd()));  // a click shows the window
    EXPECT_EQ(applications, 1);
}

// Real clicks, with the main window's real shape application, which presses the stored shape's
// button again after the click: whichever button is clicked ends up pressed alone.
TEST(CustomizeToolbar, ClickedShapeEndsPressedAlone) {
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    test_support::RunningMainWindow main_window;
    ASSERT_TRUE(main_window.created());
    controls::Toolbar& bar = main_window->Customize().shape_toolbar;
    auto pressed = [&bar] { return bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5); };
    auto click = [&bar](int index) {
        RECT item{};
        ASSERT_TRUE(SendMessageA(bar.hwnd(), TB_GETITEMRECT, index - 1, reinterpret_cast<LPARAM>(&item)));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(bar.hwnd(), WM_LBUTTONUP, 0, at);
    };

    click(1);
    EXPECT_EQ(pressed(), 100);
    click(5);  // "Text" while "Ellipse" is pressed
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
    click(5);  // the pressed "Text": the click releases it and the shape application presses it again
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
}

}  // namespace
