// The customize window on its own (hidden, as the shape application uses it): the text outline's
// text and font, its re-entrant run, the font dialog's results, and the toolbar's pressed state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "customize/form2.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"

namespace {

using customize::FontDialogState;
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
    shaping::SharedShape shape;
    int applications = 0;
    customize::Form2 form{shape, [this] { ++applications; }};
};

TEST_F(Customize, StoredTextDifferentFromTheBoxRunsTextDrawOnceNested) {
    Store(names::kText2, "Pelmora");
    ASSERT_NE(form.Text1.Text(), "Pelmora");
    form.TextDraw();
    EXPECT_EQ(form.TextDrawRuns(), 2);  // the outer run and one nested through Text1_Change
    EXPECT_EQ(form.Text1.Text(), "Pelmora");
    EXPECT_EQ(Stored(names::kText2), "Pelmora");
    EXPECT_EQ(registry::ReadSetting(names::kText2).RawText(), std::string("Pelmora\0", 8));
    EXPECT_EQ(shape.region.state(), shaping::CurrentRegion::State::kOwned);

    form.TextDraw();  // the box already holds the stored text
    EXPECT_EQ(form.TextDrawRuns(), 3);

    // Typing in the box stores the text and rebuilds the outline once.
    form.Text1.SetText("Typed");
    EXPECT_EQ(Stored(names::kText2), "Typed");
    EXPECT_EQ(form.TextDrawRuns(), 4);
}

TEST_F(Customize, FaceNameFallbacks) {
    // No font chosen in this run: the stored face, and no fallback for an empty or missing one.
    Store(names::kNFont, "Tahoma");
    Store(names::kSFont, "20");
    Store(names::kBFont, "True");
    Store(names::kUFont, "True");
    form.TextDraw();
    EXPECT_EQ(form.Font().name, "Tahoma");
    EXPECT_EQ(form.Font().size, 20.0f);
    EXPECT_TRUE(form.Font().bold);
    EXPECT_FALSE(form.Font().italic);
    EXPECT_TRUE(form.Font().underline);
    EXPECT_EQ(form.LastFontName, "Tahoma");
    Store(names::kNFont, "");
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kSFont);
    form.TextDraw();
    EXPECT_EQ(form.Font().name, "Tahoma");
    EXPECT_EQ(form.Font().size, 20.0f);  // a missing size (0) is refused
    EXPECT_EQ(form.LastFontName, "");
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kNFont);
    form.TextDraw();
    EXPECT_EQ(form.Font().name, "Tahoma");

    // A font chosen in this run: the dialog's face, else the stored one, else "Arial"; the text is
    // the box's, whatever is stored.
    form.FontPicked = true;
    form.Text1.SetText("Box");
    Store(names::kText2, "Stored");
    const int runs = form.TextDrawRuns();
    form.CD.name = "DejaVu Serif";
    form.CD.size = 15.0f;
    form.TextDraw();
    EXPECT_EQ(form.Font().name, "DejaVu Serif");
    EXPECT_EQ(form.Font().size, 15.0f);
    EXPECT_FALSE(form.Font().bold);  // the dialog's flags now
    form.CD.name.clear();
    Store(names::kNFont, "DejaVu Sans Mono");
    form.TextDraw();
    EXPECT_EQ(form.Font().name, "DejaVu Sans Mono");
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kNFont);
    form.TextDraw();
    EXPECT_EQ(form.Font().name, "Arial");
    EXPECT_EQ(form.Text1.Text(), "Box");
    EXPECT_EQ(form.TextDrawRuns(), runs + 3);  // no nested runs: the box is not touched
    EXPECT_EQ(Stored(names::kText2), "Stored");
}

TEST_F(Customize, FontOptionsStoresTheDialogsValues) {
    Store(names::kNFont, "DejaVu Sans");
    form.Text2(0);  // Font Options is reachable only after the text shape showed its frame
    EXPECT_TRUE(form.Command2.Visible());
    form.Text1.SetText("Pelmora");

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
        for (const char* name : {names::kText2, names::kNFont, names::kSFont, names::kBFont, names::kIFont,
                                 names::kKFont, names::kUFont})
            all += Stored(name) + "|";
        return all;
    };

    // Cancelled on its first use: the stored face stays, the dialog's defaults are written.
    form.Command2_Click();
    EXPECT_TRUE(form.FontPicked);
    EXPECT_EQ(stored_font(), "Pelmora|DejaVu Sans|8|False|False|False|False|");
    EXPECT_EQ(form.Font().name, "DejaVu Sans");

    ok = true;
    pick = FontDialogState{"Tahoma", 8.25f, true, false, true, false};
    form.Command2_Click();
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|8.25|True|False|True|False|");
    EXPECT_EQ(registry::ReadSetting(names::kSFont).RawText(), std::string("8.25\0", 5));
    EXPECT_EQ(form.Font().name, "Tahoma");
    EXPECT_EQ(form.Font().size, 8.25f);
    EXPECT_TRUE(form.Font().bold);
    EXPECT_TRUE(form.Font().strikethrough);

    // Cancelled later: the values of the last use are written again.
    ok = false;
    form.Command2_Click();
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|8.25|True|False|True|False|");
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].name, "");
    EXPECT_EQ(offered[2].name, "Tahoma");

    // Nothing chosen, nothing stored and no face read before: "Arial".
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kNFont);
    form.CD = FontDialogState{};
    form.LastFontName.clear();
    form.Command2_Click();
    EXPECT_EQ(Stored(names::kNFont), "Arial");
    EXPECT_EQ(form.Font().name, "Arial");
}

TEST_F(Customize, TextOutlineHasCountersAsHoles) {
    Store(names::kNFont, "DejaVu Sans");
    Store(names::kSFont, "72");
    for (const char* letter : {"O", "o", "0"}) {
        Store(names::kText2, letter);
        form.TextDraw();
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
        Store(names::kText2, "x");
        form.TextDraw();
        ASSERT_EQ(shape.region.state(), shaping::CurrentRegion::State::kOwned);
        Store(names::kText2, text);
        form.TextDraw();
        EXPECT_EQ(shape.region.state(), shaping::CurrentRegion::State::kNull) << '"' << text << '"';
        EXPECT_EQ(shape.region.owned(), nullptr);
    }
    registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kSettingsKey, names::kText2);
    form.TextDraw();
    EXPECT_EQ(form.Text1.Text(), "");
    EXPECT_EQ(shape.region.state(), shaping::CurrentRegion::State::kNull);
    shape.region.ApplyTo(restore.button());
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(restore.button(), rgn), ERROR);
    DeleteObject(rgn);
}

TEST_F(Customize, ShapeMethodsAndToolbarClickSetThePressedButtons) {
    auto& bar = form.Toolbar1;
    auto press_all = [&] {
        for (int i : {1, 3, 5}) bar.SetButtonValue(i, 1);
    };
    shape.outline_box = {50, 20};
    press_all();
    form.Ellipse2(0);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 100);
    EXPECT_EQ(Stored(names::kType), "Ellipse");
    EXPECT_FALSE(form.Text1.Visible());
    RECT box{};
    ASSERT_NE(shape.region.owned(), nullptr);
    GetRgnBox(shape.region.owned(), &box);
    EXPECT_NEAR(box.right - box.left, 50, 1);
    EXPECT_NEAR(box.bottom - box.top, 20, 1);

    press_all();
    form.Rectangle2(0);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 10);
    EXPECT_EQ(Stored(names::kType), "Rectangle");
    EXPECT_TRUE(PtInRegion(shape.region.owned(), 0, 0));

    press_all();
    form.Text2(0);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 1);
    EXPECT_EQ(Stored(names::kType), "Text");
    EXPECT_TRUE(form.Text1.Visible());
    EXPECT_FALSE(IsWindowVisible(form.hwnd()));
    EXPECT_EQ(applications, 0);  // the methods do not apply the shape themselves

    // A click on "Rectangle" leaves it pressed alone.
    bar.SetButtonValue(3, 1);  // as a click on it leaves it
    form.Toolbar1_ButtonClick(3);
    EXPECT_EQ(bar.ButtonValue(1) * 100 + bar.ButtonValue(3) * 10 + bar.ButtonValue(5), 10);
    EXPECT_EQ(Stored(names::kType), "Rectangle");
    EXPECT_TRUE(IsWindowVisible(form.hwnd()));  // a click shows the window
    EXPECT_EQ(applications, 1);
}

// Real clicks, with the main window's real shape application, which presses the stored shape's
// button again after the click: whichever button is clicked ends up pressed alone.
TEST(CustomizeToolbar, ClickedShapeEndsPressedAlone) {
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    test_support::RunningForm1 main_window;
    ASSERT_TRUE(main_window.created());
    customize::Toolbar& bar = main_window->CustomizeWindow().Toolbar1;
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
    EXPECT_EQ(Stored(names::kType), "Text");
    click(5);  // the pressed "Text": the click releases it and the shape application presses it again
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kType), "Text");
}

}  // namespace
