// The main window as a person meets it: where every control sits, what it says, its range and the
// order the Tab key visits them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window/main_window.h"
#include "customize_window/customize_window.h"
#include "test_support.h"
#include "win/dpi.h"

namespace {

using test_support::Driver;

// The containers' origins in the main window, in twips: the controls frame's in the window, the X
// and Y frames' in the window too (each lies inside the controls frame).
using main_window::kControlsFrameX;
using main_window::kControlsFrameY;
constexpr int kXFrameX = kControlsFrameX + 120, kXFrameY = kControlsFrameY + 1560;
constexpr int kYFrameX = kControlsFrameX + 120, kYFrameY = kControlsFrameY + 2640;
// The customize window's text frame's origin in its window, in twips.
constexpr int kTextFrameX = 120, kTextFrameY = 840;

RECT ClientRectOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The control `id` of `window` where a rectangle given in twips, relative to the origin (ox, oy),
// lies in client pixels at `dpi`.
void ExpectPlaced(const Driver& window, int dpi, int id, const char* name, win::TwipsRect twips, int ox = 0,
                  int oy = 0) {
    SCOPED_TRACE(name);
    HWND control = window.Control(id);
    ASSERT_NE(control, nullptr);
    const RECT r = ClientRectOf(control);
    const RECT expected = win::TwipsToClientRect(twips, dpi, ox, oy);
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
}

// A DPI other than the screen's, and the one a window made at the screen's DPI goes back to.
std::vector<int> DpiChangesFrom(int dpi) { return {dpi == 144 ? 96 : 144, dpi}; }

// The forms' font: 8 points at `dpi`.
LONG FormFontHeight(int dpi) { return -MulDiv(8, dpi, 72); }

class MainWindowLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form_.created());
        dpi_ = win::ScreenDpi();
    }

    // Declared in this order so that the Start button and the settings are recorded and cleared
    // before the window is made, and given back after it has gone.
    test_support::StartButtonRestorer restore_start_button_;
    test_support::CleanSettings clean_settings_;
    test_support::RunningMainWindow form_;
    Driver main_ = form_.driver();
    int dpi_ = 96;
};

// Every control and action picture where the design puts it at `dpi`, in the forms' font at that
// DPI, labels sized to their text in it: the same whether the window was made at `dpi` or moved there.
void ExpectMainWindowLaidOutAt(const main_window::MainWindow& form, int dpi) {
    using namespace main_window;
    const Driver main(form.hwnd());
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(4740, dpi));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(4155, dpi));
    auto expect_placed = [&](int id, const char* name, win::TwipsRect twips, int ox = 0, int oy = 0) {
        ExpectPlaced(main, dpi, id, name, twips, ox, oy);
    };
    expect_placed(kAboutButton, "About button", {0, 0, 1150, 315});
    expect_placed(kNewLabelBox, "new-label box", {2880, 540, 975, 285});
    expect_placed(kControlsFrame, "controls frame", {kControlsFrameX, kControlsFrameY, 3495, 4095});
    // Inside the controls frame.
    expect_placed(kCurrentLabelBox, "current-label box", {1680, 180, 975, 285}, kControlsFrameX,
                  kControlsFrameY);
    expect_placed(kMakeOpaqueBox, "Make Opaque box", {120, 840, 1335, 255}, kControlsFrameX, kControlsFrameY);
    expect_placed(kTransparencySlider, "transparency slider", {1920, 900, 1455, 255}, kControlsFrameX,
                  kControlsFrameY);
    expect_placed(kStartupBox, "Startup box", {2040, 1280, 1215, 195}, kControlsFrameX, kControlsFrameY);
    expect_placed(kXFrame, "X frame", {kXFrameX, kXFrameY, 3255, 855});
    expect_placed(kYFrame, "Y frame", {kYFrameX, kYFrameY, 3255, 855});
    // Inside the X and Y frames.
    expect_placed(kXSlider, "X slider", {120, 360, 1455, 255}, kXFrameX, kXFrameY);
    expect_placed(kWidthSlider, "width slider", {1680, 360, 1455, 255}, kXFrameX, kXFrameY);
    expect_placed(kYSlider, "Y slider", {120, 360, 1455, 255}, kYFrameX, kYFrameY);
    expect_placed(kHeightSlider, "height slider", {1680, 360, 1455, 255}, kYFrameX, kYFrameY);
    EXPECT_EQ(test_support::FontHeightOf(main.Control(kNewLabelBox)), FormFontHeight(dpi));
    EXPECT_EQ(test_support::FontHeightOf(main.Control(kAboutButton)), FormFontHeight(dpi));
    // Labels start at their places and are sized to their one line.
    for (int caption : {kCurrentLabelCaption, kNewLabelCaption}) {
        SCOPED_TRACE(caption);
        HWND label = main.Control(caption);
        const RECT r = ClientRectOf(label);
        const SIZE text = test_support::TextSizeOf(label);
        EXPECT_EQ(test_support::FontHeightOf(label), FormFontHeight(dpi));
        EXPECT_EQ(r.left, win::TwipsToPixels(kControlsFrameX + 120, dpi));
        EXPECT_EQ(r.right - r.left, text.cx);
        EXPECT_EQ(r.bottom - r.top, text.cy);
    }
    const RECT new_label_place = ClientRectOf(main.Control(kNewLabelCaption));
    EXPECT_EQ(new_label_place.top, win::TwipsToPixels(kControlsFrameY + 600, dpi));
    EXPECT_GT(new_label_place.right - new_label_place.left, 20);
    EXPECT_LT(new_label_place.right - new_label_place.left, win::TwipsToPixels(1680 - 120, dpi))
        << "must not run under the new-label box";
}

// The customize window's size, toolbar and text frame at `dpi`.
void ExpectCustomizeWindowLaidOutAt(const Driver& customize, int dpi) {
    using namespace customize_window;
    RECT outer{};
    GetWindowRect(customize.window(), &outer);
    EXPECT_EQ(outer.right - outer.left, win::TwipsToPixels(4035, dpi));
    RECT client{};
    GetClientRect(customize.window(), &client);
    EXPECT_EQ(client.bottom, win::TwipsToPixels(2340, dpi));
    const RECT toolbar = ClientRectOf(customize.Control(kShapeToolbar));
    EXPECT_EQ(toolbar.top, 0);
    EXPECT_EQ(toolbar.bottom, win::TwipsToPixels(600, dpi));
    EXPECT_EQ(toolbar.right, client.right);
    ExpectPlaced(customize, dpi, kTextFrame, "text frame", {kTextFrameX, kTextFrameY, 3735, 975});
    ExpectPlaced(customize, dpi, kOutlineTextBox, "outline text box", {120, 360, 2295, 375}, kTextFrameX,
                 kTextFrameY);
    ExpectPlaced(customize, dpi, kFontOptionsButton, "Font Options button", {2520, 360, 1095, 375},
                 kTextFrameX, kTextFrameY);
    EXPECT_EQ(test_support::FontHeightOf(customize.Control(kFontOptionsButton)), FormFontHeight(dpi));
    // The frame must fit inside the window at every resolution.
    const RECT frame = ClientRectOf(customize.Control(kTextFrame));
    EXPECT_LE(frame.right, client.right);
    EXPECT_LE(frame.bottom, client.bottom);
}

TEST_F(MainWindowLayout, WindowIsAFixedDialogOffTheTaskbarWithItsClientSize) {
    HWND w = form_->hwnd();
    EXPECT_EQ(test_support::WindowText(w), "Pelmora");
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(GetWindow(w, GW_OWNER), nullptr) << "an owned window keeps off the taskbar";
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(4740, dpi_));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(4155, dpi_));
    EXPECT_NE(SendMessageA(w, WM_GETICON, ICON_BIG, 0), 0);
    // Centred on the screen.
    RECT outer{};
    GetWindowRect(w, &outer);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
}

TEST_F(MainWindowLayout, ControlsSitAtTheirPlacesWithTheirCaptions) {
    using namespace main_window;
    ExpectMainWindowLaidOutAt(*form_, dpi_);
    EXPECT_EQ(main_.Text(kAboutButton), "About");
    EXPECT_EQ(main_.Text(kMakeOpaqueBox), "Make Opaque");
    EXPECT_EQ(main_.Text(kStartupBox), "Startup");
    EXPECT_EQ(main_.Text(kXFrame), "X Positions");
    EXPECT_EQ(main_.Text(kYFrame), "Y Positions");
    EXPECT_EQ(main_.Text(kCurrentLabelCaption), "Start Button's Label:");
    EXPECT_EQ(main_.Text(kNewLabelCaption), "New Label:");
    EXPECT_TRUE(GetWindowLongA(main_.Control(kCurrentLabelBox), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongA(main_.Control(kNewLabelBox), GWL_STYLE) & ES_READONLY);
}

// A window on a monitor of another scale is laid out as one made there, and back.
TEST_F(MainWindowLayout, ADpiChangeLaysItOutAsIfMadeAtTheNewDpi) {
    for (int dpi : DpiChangesFrom(dpi_)) {
        SCOPED_TRACE(dpi);
        test_support::SendDpiChange(form_->hwnd(), dpi, win::TwipsToPixels(4740, dpi),
                                    win::TwipsToPixels(4155, dpi));
        ExpectMainWindowLaidOutAt(*form_, dpi);
    }
}

// The sliders' first positions and the boxes' first ticks are checked with the rest of the first
// load (StoredLookLoad.FirstStartShowsTheStartValuesAndStoresNothing); here their ranges, and what shows.
TEST_F(MainWindowLayout, SliderRangesAndWhatShowsAtFirstStart) {
    using namespace main_window;
    ASSERT_TRUE(IsWindowVisible(form_->hwnd()));
    ASSERT_NE(main_.Control(kTransparencySlider), nullptr);
    EXPECT_FALSE(main_.Visible(kTransparencySlider));
    EXPECT_EQ(main_.Maximum(kTransparencySlider), 255);
    EXPECT_EQ(main_.Maximum(kYSlider), 100);
    EXPECT_EQ(main_.Maximum(kHeightSlider), 100);
    // The customize window is made only when the user opens it; the X sliders reach its client
    // width at screen width, plus 10, measured here on the real window.
    EXPECT_EQ(test_support::FindOwnWindow(customize_window::kCustomizeWindowClass), nullptr);
    HWND customize = form_.OpenCustomize().window();
    ASSERT_NE(customize, nullptr);
    RECT r{};
    GetWindowRect(customize, &r);
    SetWindowPos(customize, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client_at_screen_width{};
    GetClientRect(customize, &client_at_screen_width);
    EXPECT_EQ(main_.Maximum(kXSlider), client_at_screen_width.right + 10);
    EXPECT_EQ(main_.Maximum(kWidthSlider), client_at_screen_width.right + 10);
}

TEST_F(MainWindowLayout, TabVisitsTheControlsInTheirOrder) {
    using namespace main_window;
    auto tab_order = [&] {
        std::vector<HWND> order;
        HWND first = main_.Control(kNewLabelBox);
        HWND w = first;
        do {
            order.push_back(w);
            w = GetNextDlgTabItem(form_->hwnd(), w, FALSE);
        } while (w && w != first && order.size() < 20);
        return order;
    };
    std::vector<HWND> expected;
    for (int id : {kNewLabelBox, kCurrentLabelBox, kMakeOpaqueBox, kStartupBox, kWidthSlider, kXSlider,
                   kYSlider, kHeightSlider, kAboutButton})
        expected.push_back(main_.Control(id));
    EXPECT_EQ(tab_order(), expected) << "the hidden transparency slider is skipped";

    main_.Click(kMakeOpaqueBox);
    ASSERT_EQ(main_.Checked(kMakeOpaqueBox), 1);
    expected.insert(expected.begin() + 3, main_.Control(kTransparencySlider));
    EXPECT_EQ(tab_order(), expected) << "the transparency slider joins while visible";
    main_.Click(kMakeOpaqueBox);
}

TEST_F(MainWindowLayout, CustomizeWindowHasItsSizeToolbarAndTextFrame) {
    using namespace customize_window;
    const Driver customize = form_.OpenCustomize();
    HWND w = customize.window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(test_support::WindowText(w), "Customize Window");
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_SYSMENU);
    ExpectCustomizeWindowLaidOutAt(customize, dpi_);

    HWND bar = customize.Control(kShapeToolbar);
    EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 5) << "three buttons between two separators";
    auto caption = [bar](int command) {
        char text[32] = {};
        SendMessageA(bar, TB_GETBUTTONTEXTA, command, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    EXPECT_EQ(caption(kEllipseCommand), "Ellipse");
    EXPECT_EQ(caption(kRectangleCommand), "Rectangle");
    EXPECT_EQ(caption(kTextCommand), "Text");
    EXPECT_EQ(customize.Text(kFontOptionsButton), "Font Options");
    ASSERT_TRUE(IsWindowVisible(w)) << "a click on the customize picture shows the window";
    EXPECT_FALSE(customize.Visible(kTextFrame)) << "the text frame shows only for the text outline";
}

TEST_F(MainWindowLayout, CustomizeWindowFollowsADpiChangeAsIfMadeAtTheNewDpi) {
    const Driver customize = form_.OpenCustomize();
    ASSERT_NE(customize.window(), nullptr);
    for (int dpi : DpiChangesFrom(dpi_)) {
        SCOPED_TRACE(dpi);
        test_support::SendDpiChange(customize.window(), dpi, win::TwipsToPixels(3885, dpi),
                                    win::TwipsToPixels(2340, dpi), win::TwipsToPixels(4035, dpi));
        ExpectCustomizeWindowLaidOutAt(customize, dpi);
    }
}

}  // namespace
