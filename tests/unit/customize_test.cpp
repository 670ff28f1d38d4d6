// The customize window as the editor of the outline, with the main window's real look behind it:
// the outline text and font it edits, what the font dialog's results store, the toolbar's pressed
// state, and the text outline's shape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_outline.h"
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

void Store(const char* name, const std::string& text) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(name, Value::Text(text));
}

bool HasRegion(HWND window) {
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, probe) != ERROR;
    DeleteObject(probe);
    return has;
}

class Customize : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.created());
        ASSERT_EQ(form->StartButton(), restore.button());
    }
    customize_window::CustomizeWindow& editor() { return form->Customize(); }

    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    bool stored_text_shape = (Store(names::kShapeType, "Text"), true);
    test_support::RunningMainWindow form;
};

TEST_F(Customize, StoredTextIsHeldAsTheBoxHoldsItAndTypingAppliesAtOnce) {
    // First start: no text stored. The text held (empty) is stored back, as it always was.
    EXPECT_EQ(form->look().outline_text, "");
    EXPECT_NE(test_support::ValueNames(registry::kSettingsKey).find(names::kOutlineText), std::string::npos);
    EXPECT_FALSE(HasRegion(restore.button())) << "an empty text gives the full rectangle";

    // Another tool stores a text: the next tick draws it, and the box shows it when opened.
    Store(names::kOutlineText, std::string("Pelmora\0junk", 12));
    form->OnTick();
    EXPECT_EQ(form->look().outline_text, "Pelmora");
    EXPECT_EQ(registry::ReadSetting(names::kOutlineText).RawText(), std::string("Pelmora\0", 8));
    EXPECT_TRUE(HasRegion(restore.button()));
    form->OnCustomizeClicked();
    EXPECT_EQ(editor().outline_text_box.Text(), "Pelmora");
    EXPECT_TRUE(editor().text_frame.Visible()) << "the text frame shows for the text outline";

    // Typing stores the text and puts the outline on the Start button without waiting for a tick.
    SetWindowRgn(restore.button(), nullptr, TRUE);
    editor().outline_text_box.SetText("Typed");
    EXPECT_EQ(Stored(names::kOutlineText), "Typed");
    EXPECT_EQ(form->look().outline_text, "Typed");
    EXPECT_TRUE(HasRegion(restore.button()));

    // All spaces: no figures, so the Start button gets its full rectangle.
    editor().outline_text_box.SetText("   ");
    EXPECT_FALSE(HasRegion(restore.button()));
}

// Which font each case takes is the core's decision (tests/core); here the look's owner feeds it:
// the stored values before a font is picked, the box and the dialog after.
TEST_F(Customize, OutlineTakesStoredFontThenTheBoxAndTheDialog) {
    Store(names::kFontFace, "Tahoma");
    Store(names::kFontSize, "20");
    Store(names::kFontBold, "True");
    form->OnTick();
    EXPECT_EQ(form->look().font.name, "Tahoma");
    EXPECT_EQ(form->look().font.size, 20.0f);
    EXPECT_TRUE(form->look().font.bold);

    form->OnCustomizeClicked();
    editor().outline_text_box.SetText("Box");
    editor().ShowFontDialog = [](HWND, const FontDialogState&, FontDialogState& chosen) {
        chosen = FontDialogState{"", 15.0f, false, false, false, false};
        return true;
    };
    SendMessageA(editor().font_options_button.hwnd(), BM_CLICK, 0, 0);
    Store(names::kOutlineText, "Stored");
    Store(names::kFontFace, "DejaVu Sans Mono");
    form->OnTick();
    EXPECT_EQ(form->look().font.name,
              "DejaVu Sans Mono");  // the dialog has no face: the stored one, read anew
    EXPECT_EQ(form->look().font.size, 15.0f);
    EXPECT_FALSE(form->look().font.bold);  // the dialog's flags now
    EXPECT_EQ(form->look().outline_text, "Box");
    EXPECT_EQ(Stored(names::kOutlineText), "Stored");
}

TEST_F(Customize, FontOptionsStoresTheDialogsValues) {
    Store(names::kFontFace, "DejaVu Sans");
    form->OnTick();
    form->OnCustomizeClicked();
    ASSERT_TRUE(editor().font_options_button.Visible());  // reachable once the text shape shows its frame
    editor().outline_text_box.SetText("Pelmora");

    std::vector<FontDialogState> offered;
    bool ok = false;
    FontDialogState pick;
    editor().ShowFontDialog = [&](HWND, const FontDialogState& last, FontDialogState& chosen) {
        offered.push_back(last);
        if (ok) chosen = pick;
        return ok;
    };
    auto stored_font = [] {
        std::string all;
        for (const char* name : {names::kOutlineText, names::kFontFace, names::kFontSize, names::kFontBold,
                                 names::kFontItalic, names::kFontStrikethrough, names::kFontUnderline})
            all += Stored(name) + "|";
        return all;
    };
    auto click_font_options = [&] { SendMessageA(editor().font_options_button.hwnd(), BM_CLICK, 0, 0); };

    // Cancelled on its first use: the stored face stays, the dialog's defaults are written.
    click_font_options();
    EXPECT_EQ(stored_font(), "Pelmora|DejaVu Sans|8|False|False|False|False|");
    EXPECT_EQ(form->look().font.name, "DejaVu Sans");

    ok = true;
    pick = FontDialogState{"Tahoma", 8.25f, true, false, true, false};
    click_font_options();
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|8.25|True|False|True|False|");
    EXPECT_EQ(registry::ReadSetting(names::kFontSize).RawText(), std::string("8.25\0", 5));
    EXPECT_EQ(form->look().font.name, "Tahoma");
    EXPECT_EQ(form->look().font.size, 8.25f);
    EXPECT_TRUE(form->look().font.bold);
    EXPECT_TRUE(form->look().font.strikethrough);

    // Cancelled later: the values of the last use are written again.
    ok = false;
    click_font_options();
    EXPECT_EQ(stored_font(), "Pelmora|Tahoma|8.25|True|False|True|False|");
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].name, "");
    EXPECT_EQ(offered[2].name, "Tahoma");
}

TEST(CustomizeFont, NothingChosenStoredOrReadBeforeIsArial) {
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    form->Customize().ShowFontDialog = [](HWND, const FontDialogState&, FontDialogState&) { return false; };
    SendMessageA(form->Customize().font_options_button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(Stored(names::kFontFace), "Arial");
    EXPECT_EQ(form->look().font.name, "Arial");
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
    test_support::RunningMainWindow main_window;
    ASSERT_TRUE(main_window.created());
    ASSERT_TRUE(main_window->width_slider.SetValue(50));
    customize_window::CustomizeWindow& customize = main_window->Customize();
    EXPECT_FALSE(IsWindowVisible(customize.hwnd()));
    controls::Toolbar& bar = customize.shape_toolbar;
    using customize_window::kEllipseCommand;
    using customize_window::kRectangleCommand;
    using customize_window::kTextCommand;
    auto pressed = [&bar] {
        return bar.ButtonValue(kEllipseCommand) * 100 + bar.ButtonValue(kRectangleCommand) * 10 +
               bar.ButtonValue(kTextCommand);
    };
    auto click = [&bar](int place) {  // the button's place on the toolbar, separators counted
        RECT item{};
        ASSERT_TRUE(SendMessageA(bar.hwnd(), TB_GETITEMRECT, place, reinterpret_cast<LPARAM>(&item)));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(bar.hwnd(), WM_LBUTTONUP, 0, at);
    };

    click(0);
    EXPECT_EQ(pressed(), 100);
    EXPECT_EQ(Stored(names::kShapeType), "Ellipse");
    EXPECT_TRUE(IsWindowVisible(customize.hwnd())) << "a click shows the window";
    EXPECT_FALSE(customize.outline_text_box.Visible());
    {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(restore.button(), rgn), ERROR);
        RECT box{};
        GetRgnBox(rgn, &box);
        EXPECT_NEAR(box.right - box.left, 50, 1) << "the width slider's width";
        EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "an ellipse";
        DeleteObject(rgn);
    }
    click(2);
    EXPECT_EQ(pressed(), 10);
    EXPECT_EQ(Stored(names::kShapeType), "Rectangle");
    click(4);  // "Text" while "Rectangle" is pressed
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
    EXPECT_TRUE(customize.outline_text_box.Visible());
    click(4);  // the pressed "Text": the click releases it and the look's shape presses it again
    EXPECT_EQ(pressed(), 1);
    EXPECT_EQ(Stored(names::kShapeType), "Text");
}

}  // namespace
