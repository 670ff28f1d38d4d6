// The customize window as the editor of the outline, with the main window's real look behind it:
// the outline text and font it edits, what the font dialog's results store, the toolbar's pressed
// state, and the text outline's shape.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/text_outline.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"
#include "win/dpi.h"

namespace {

using core::FontAttributes;
using customize_window::kFontOptionsButton;
using customize_window::kOutlineTextBox;
using customize_window::kShapeToolbar;
using settings::Value;
using test_support::Driver;
using test_support::HasRegion;
using test_support::Store;
using test_support::Stored;

// The shell answers in its own time, and a call it left waiting is made again only after its answer
// was taken: before an action whose outline is checked, the shell has answered all it was asked.
void CatchUpWithShell(HWND button) {
    SendMessageW(button, WM_NULL, 0, 0);
    test_support::PumpMessages();
}

// The button's outline is `text` drawn in `font`: the font the look took, as a person sees it.
bool OutlineIs(HWND button, const std::string& text, const FontAttributes& font) {
    core::TextOutliner outliner;
    if (!outliner.Create(nullptr)) return false;
    win::unique_hrgn expected = outliner.Build(text, font, win::WindowDpi(button));
    win::unique_hrgn shown(CreateRectRgn(0, 0, 0, 0));
    return expected && GetWindowRgn(button, shown.get()) != ERROR && EqualRgn(shown.get(), expected.get());
}

class Customize : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(form.created()); }
    // The customize window opened, with `dialog` standing in for the font dialog.
    Driver OpenWithFontDialog(customize_window::FontDialog dialog) {
        font_dialog = std::move(dialog);
        return form.OpenCustomize();
    }
    main_window::Environment WithFontDialog() {
        main_window::Environment environment = test_support::TestEnvironment();
        environment.font_dialog = [this](HWND owner, const FontAttributes& last, FontAttributes& chosen) {
            return font_dialog && font_dialog(owner, last, chosen);
        };
        return environment;
    }

    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    bool stored_text_shape = (Store(names::kShapeType, "Text"), true);
    customize_window::FontDialog font_dialog;
    test_support::RunningMainWindow form{WithFontDialog()};
};

TEST_F(Customize, StoredTextIsHeldAsTheBoxHoldsItAndTypingAppliesAtOnce) {
    // First start: no text stored. With the shape stored as Text, each application reads the text
    // as the box holds it (empty) and stores it back where it differs from the look's ("Start"), so
    // the key holds the text the outline is drawn from.
    EXPECT_NE(test_support::ValueNames(registry::kSettingsKey).find(names::kOutlineText), std::string::npos);
    EXPECT_FALSE(HasRegion(restore.button())) << "an empty text gives the full rectangle";

    // Another tool stores a text: the next tick draws it, and the box shows it when opened.
    Store(names::kOutlineText, std::string("Pelmora\0junk", 12));
    CatchUpWithShell(restore.button());
    form.Tick();
    EXPECT_TRUE(OutlineIs(restore.button(), "Pelmora", FontAttributes{"Arial"}));
    EXPECT_EQ(registry::ReadSetting(names::kOutlineText).RawText(), std::string("Pelmora\0", 8));
    const Driver customize = form.OpenCustomize();
    EXPECT_EQ(customize.Text(kOutlineTextBox), "Pelmora");
    EXPECT_TRUE(customize.Visible(customize_window::kTextFrame))
        << "the text frame shows for the text outline";

    // Typing stores the text and puts the outline on the Start button without waiting for a tick.
    SetWindowRgn(restore.button(), nullptr, TRUE);
    CatchUpWithShell(restore.button());
    customize.Type(kOutlineTextBox, "Typed");
    EXPECT_EQ(Stored(names::kOutlineText), "Typed");
    EXPECT_TRUE(OutlineIs(restore.button(), "Typed", FontAttributes{"Arial"}));

    // All spaces: no figures, so the Start button gets its full rectangle.
    CatchUpWithShell(restore.button());
    customize.Type(kOutlineTextBox, "   ");
    EXPECT_FALSE(HasRegion(restore.button()));
}

// Which font each case takes is the core's decision (tests/core); here the look's owner feeds it:
// the stored values before a font is picked, the box and the dialog after.
TEST_F(Customize, OutlineTakesStoredFontThenTheBoxAndTheDialog) {
    Store(names::kOutlineText, "Pel");
    Store(names::kFontFace, "Tahoma");
    Store(names::kFontSize, "20");
    Store(names::kFontBold, "True");
    CatchUpWithShell(restore.button());
    form.Tick();
    EXPECT_TRUE(OutlineIs(restore.button(), "Pel", FontAttributes{"Tahoma", 20.0f, true}));

    const Driver customize = OpenWithFontDialog([](HWND, const FontAttributes&, FontAttributes& chosen) {
        chosen = FontAttributes{"", 15.0f, false, false, false, false};
        return true;
    });
    customize.Type(kOutlineTextBox, "Box");
    customize.Click(kFontOptionsButton);
    Store(names::kOutlineText, "Stored");
    Store(names::kFontFace, "DejaVu Sans Mono");
    CatchUpWithShell(restore.button());
    form.Tick();
    // The dialog has no face: the stored one, read anew; the dialog's size and flags; the box's text.
    EXPECT_TRUE(OutlineIs(restore.button(), "Box", FontAttributes{"DejaVu Sans Mono", 15.0f}));
    EXPECT_EQ(Stored(names::kOutlineText), "Stored");
}

TEST_F(Customize, FontOptionsStoresTheDialogsValues) {
    Store(names::kFontFace, "DejaVu Sans");
    form.Tick();
    std::vector<FontAttributes> offered;
    bool ok = false;
    FontAttributes pick;
    const Driver customize =
        OpenWithFontDialog([&](HWND, const FontAttributes& last, FontAttributes& chosen) {
            offered.push_back(last);
            if (ok) chosen = pick;
            return ok;
        });
    ASSERT_TRUE(customize.Visible(kFontOptionsButton));  // reachable once the text shape shows its frame
    customize.Type(kOutlineTextBox, "Pelmora");
    auto stored_font = [] {
        std::string all;
        for (const char* name : {names::kOutlineText, names::kFontFace, names::kFontSize, names::kFontBold,
                                 names::kFontItalic, names::kFontStrikethrough, names::kFontUnderline})
            all += Stored(name) + "|";
        return all;
    };

    // Cancelled on its first use: the stored face stays, the dialog's defaults are written.
    CatchUpWithShell(restore.button());
    customize.Click(kFontOptionsButton);
    EXPECT_EQ(stored_font(), "Pelmora|DejaVu Sans|8|False|False|False|False|");
    EXPECT_TRUE(OutlineIs(restore.button(), "Pelmora", FontAttributes{"DejaVu Sans", 8.0f}));

    // 10.5 points are 14 pixels: a size rounded or cut to whole points draws another outline.
    ok = true;
    pick = FontAttributes{"Tahoma", 10.5f, true, false, true, false};
    CatchUpWithShell(restore.button());
    customize.Click(kFontOptionsButton);
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|10.5|True|False|True|False|");
    EXPECT_EQ(registry::ReadSetting(names::kFontSize).RawText(), std::string("10.5\0", 5));
    EXPECT_TRUE(
        OutlineIs(restore.button(), "Pelmora", FontAttributes{"Tahoma", 10.5f, true, false, true, false}));

    // Cancelled later: the values of the last use are written again.
    ok = false;
    customize.Click(kFontOptionsButton);
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|10.5|True|False|True|False|");
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].name, "");
    EXPECT_EQ(offered[2].name, "Tahoma");
}

// The text shape stored, but no font: the dialog cancelled on its first use stores Arial.
class CustomizeFont : public Customize {};

TEST_F(CustomizeFont, NothingChosenStoredOrReadBeforeIsArial) {
    OpenWithFontDialog([](HWND, const FontAttributes&, FontAttributes&) {
        return false;
    }).Click(kFontOptionsButton);
    EXPECT_EQ(Stored(names::kFontFace), "Arial");
}

TEST(TextOutline, CountersAreHoles) {
    core::TextOutliner outliner;
    ASSERT_TRUE(outliner.Create(nullptr));
    core::FontAttributes font;
    font.name = "DejaVu Sans";
    font.size = 72.0f;
    for (const char* letter : {"O", "o", "0"}) {
        win::unique_hrgn rgn = outliner.Build(letter, font);
        ASSERT_TRUE(rgn) << letter;
        RECT box{};
        ASSERT_EQ(GetRgnBox(rgn.get(), &box), COMPLEXREGION) << letter;
        const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        EXPECT_FALSE(PtInRegion(rgn.get(), cx, cy)) << letter;  // the counter
        bool stroke = false;
        for (int x = box.left; x < cx && !stroke; ++x) stroke = PtInRegion(rgn.get(), x, cy) != 0;
        EXPECT_TRUE(stroke) << letter;
    }
}

// Real clicks, with the main window's real look: the clicked shape is stored and applied, its
// button ends pressed alone (a click on the pressed one too), and the text frame shows for the text.
TEST(CustomizeToolbar, ClickedShapeIsStoredAppliedAndEndsPressedAlone) {
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    form.driver().Drag(main_window::kWidthSlider, 50);
    const Driver customize = form.OpenCustomize();
    using customize_window::kEllipseCommand;
    using customize_window::kRectangleCommand;
    using customize_window::kTextCommand;
    auto pressed = [&customize] {
        return customize.Pressed(kShapeToolbar, kEllipseCommand) * 100 +
               customize.Pressed(kShapeToolbar, kRectangleCommand) * 10 +
               customize.Pressed(kShapeToolbar, kTextCommand);
    };
    auto click = [&customize](int command) { customize.ClickToolbarButton(kShapeToolbar, command); };

    CatchUpWithShell(restore.button());
    click(kEllipseCommand);
    EXPECT_EQ(pressed(), 100);
    EXPECT_EQ(Stored(names::kShapeType), "Ellipse");
    EXPECT_FALSE(customize.Visible(kOutlineTextBox));
    {
        win::unique_hrgn rgn(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(restore.button(), rgn.get()), ERROR);
        RECT box{};
        GetRgnBox(rgn.get(), &box);
        EXPECT_NEAR(box.right - box.left, 50, 1) << "the width slider's width";
        EXPECT_FALSE(PtInRegion(rgn.get(), 0, 0)) << "an ellipse";
    }
    click(kRectangleCommand);
    EXPECT_EQ(pressed(), 10);
    EXPECT_EQ(Stored(names::kShapeType), "Rectangle");
    click(kTextCommand);  // while "Rectangle" is pressed
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
    EXPECT_TRUE(customize.Visible(kOutlineTextBox));
    click(kTextCommand);  // the pressed "Text": the click releases it and the look's shape presses it again
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
}

}  // namespace
