// The main window as a person meets it: where every control sits, what it says, its range and the
// order the Tab key visits them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window/main_window.h"
#include "customize_window/customize_window.h"
#include "settings/registry.h"
#include "test_support.h"
#include "win/dpi.h"

namespace {

RECT ClientRectOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string CaptionOf(HWND w) {
    char buffer[256] = {};
    GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
}

class MainWindowLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, registry::kSettingsKey);
        GetWindowRect(StartButton(), &start_rect_);
        ASSERT_TRUE(form_.Create(""));
        dpi_ = win::ScreenDpi();
    }
    void TearDown() override {
        HWND button = StartButton();
        HWND taskbar = GetParent(button);
        POINT origin{start_rect_.left, start_rect_.top};
        ScreenToClient(taskbar, &origin);
        SetWindowRgn(button, nullptr, TRUE);
        SetWindowPos(button, nullptr, origin.x, origin.y, start_rect_.right - start_rect_.left,
                     start_rect_.bottom - start_rect_.top, SWP_NOZORDER | SWP_NOACTIVATE);
        RegDeleteKeyA(HKEY_CURRENT_USER, registry::kSettingsKey);
    }
    static HWND StartButton() {
        return FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "BUTTON", nullptr);
    }

    main_window::MainWindow form_;
    int dpi_ = 96;
    RECT start_rect_{};
};

void ExpectRect(HWND w, const RECT& expected, const char* name) {
    const RECT r = ClientRectOf(w);
    EXPECT_EQ(r.left, expected.left) << name;
    EXPECT_EQ(r.top, expected.top) << name;
    EXPECT_EQ(r.right, expected.right) << name;
    EXPECT_EQ(r.bottom, expected.bottom) << name;
}

// A DPI other than the screen's, and the one a window made at the screen's DPI goes back to.
std::vector<int> DpiChangesFrom(int dpi) { return {dpi == 144 ? 96 : 144, dpi}; }

// Every control and action picture where the design puts it at `dpi`, in the forms' font at that
// DPI, labels sized to their text in it: the same whether the window was made at `dpi` or moved there.
void ExpectMainWindowLaidOutAt(const main_window::MainWindow& form, int dpi) {
    auto at = [dpi](int l, int t, int w, int h, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, w, h}, dpi, ox, oy);
    };
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(4740, dpi));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(4155, dpi));
    const int f1x = 1200, f1y = 0, f2x = 1320, f2y = 1560, f3x = 1320, f3y = 2640;
    ExpectRect(form.about_button.hwnd(), at(0, 0, 1150, 315), "about_button");
    ExpectRect(form.new_label_box.hwnd(), at(2880, 540, 975, 285), "new_label_box");
    ExpectRect(form.controls_frame.hwnd(), at(1200, 0, 3495, 4095), "controls_frame");
    ExpectRect(form.x_frame.hwnd(), at(120, 1560, 3255, 855, f1x, f1y), "x_frame");
    ExpectRect(form.x_slider.hwnd(), at(120, 360, 1455, 255, f2x, f2y), "x_slider");
    ExpectRect(form.width_slider.hwnd(), at(1680, 360, 1455, 255, f2x, f2y), "width_slider");
    ExpectRect(form.startup_box.hwnd(), at(2040, 1280, 1215, 195, f1x, f1y), "startup_box");
    ExpectRect(form.transparency_slider.hwnd(), at(1920, 900, 1455, 255, f1x, f1y), "transparency_slider");
    ExpectRect(form.make_opaque_box.hwnd(), at(120, 840, 1335, 255, f1x, f1y), "make_opaque_box");
    ExpectRect(form.current_label_box.hwnd(), at(1680, 180, 975, 285, f1x, f1y), "current_label_box");
    ExpectRect(form.y_frame.hwnd(), at(120, 2640, 3255, 855, f1x, f1y), "y_frame");
    ExpectRect(form.height_slider.hwnd(), at(1680, 360, 1455, 255, f3x, f3y), "height_slider");
    ExpectRect(form.y_slider.hwnd(), at(120, 360, 1455, 255, f3x, f3y), "y_slider");
    EXPECT_EQ(test_support::FontHeightOf(form.new_label_box.hwnd()), -MulDiv(8, dpi, 72));
    EXPECT_EQ(test_support::FontHeightOf(form.about_button.hwnd()), -MulDiv(8, dpi, 72));
    // Labels start at their places and are sized to their one line.
    for (const controls::Label* label : {&form.current_label_caption, &form.new_label_caption}) {
        const RECT r = ClientRectOf(label->hwnd());
        const SIZE text = test_support::TextSizeOf(label->hwnd());
        EXPECT_EQ(test_support::FontHeightOf(label->hwnd()), -MulDiv(8, dpi, 72));
        EXPECT_EQ(r.left, win::TwipsToPixels(f1x + 120, dpi));
        EXPECT_EQ(r.right - r.left, text.cx);
        EXPECT_EQ(r.bottom - r.top, text.cy);
    }
    const RECT label3 = ClientRectOf(form.new_label_caption.hwnd());
    EXPECT_EQ(label3.top, win::TwipsToPixels(f1y + 600, dpi));
    EXPECT_GT(label3.right - label3.left, 20);
    EXPECT_LT(label3.right - label3.left, win::TwipsToPixels(1680 - 120, dpi))
        << "must not run under the new-label box";
    // The action pictures lie inside the frame, the label action beside "Startup".
    EXPECT_EQ(form.apply_label_picture.Bounds().left, win::TwipsToPixels(f1x + 120, dpi));
    EXPECT_EQ(form.customize_picture.Bounds().top, win::TwipsToPixels(f1y + 3480, dpi));
    EXPECT_EQ(form.customize_picture.Bounds().right, win::TwipsToPixels(f1x + 120 + 3180, dpi));
}

// The customize window's size, toolbar and text frame at `dpi`.
void ExpectCustomizeWindowLaidOutAt(const customize_window::CustomizeWindow& customize, int dpi) {
    auto at = [dpi](int l, int t, int w, int h, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, w, h}, dpi, ox, oy);
    };
    RECT outer{};
    GetWindowRect(customize.hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, win::TwipsToPixels(4035, dpi));
    RECT client{};
    GetClientRect(customize.hwnd(), &client);
    EXPECT_EQ(client.bottom, win::TwipsToPixels(2340, dpi));
    const RECT toolbar = ClientRectOf(customize.shape_toolbar.hwnd());
    EXPECT_EQ(toolbar.top, 0);
    EXPECT_EQ(toolbar.bottom, win::TwipsToPixels(600, dpi));
    EXPECT_EQ(toolbar.right, client.right);
    ExpectRect(customize.text_frame.hwnd(), at(120, 840, 3735, 975), "text_frame");
    ExpectRect(customize.outline_text_box.hwnd(), at(120, 360, 2295, 375, 120, 840), "outline_text_box");
    ExpectRect(customize.font_options_button.hwnd(), at(2520, 360, 1095, 375, 120, 840),
               "font_options_button");
    EXPECT_EQ(test_support::FontHeightOf(customize.font_options_button.hwnd()), -MulDiv(8, dpi, 72));
    // The frame must fit inside the window at every resolution.
    const RECT frame = ClientRectOf(customize.text_frame.hwnd());
    EXPECT_LE(frame.right, client.right);
    EXPECT_LE(frame.bottom, client.bottom);
}

TEST_F(MainWindowLayout, WindowIsAFixedDialogOffTheTaskbarWithItsClientSize) {
    HWND w = form_.hwnd();
    EXPECT_EQ(CaptionOf(w), "Pelmora");
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
    ExpectMainWindowLaidOutAt(form_, dpi_);
    EXPECT_EQ(CaptionOf(form_.about_button.hwnd()), "About");
    EXPECT_EQ(CaptionOf(form_.make_opaque_box.hwnd()), "Make Opaque");
    EXPECT_EQ(CaptionOf(form_.startup_box.hwnd()), "Startup");
    EXPECT_EQ(CaptionOf(form_.x_frame.hwnd()), "X Positions");
    EXPECT_EQ(CaptionOf(form_.y_frame.hwnd()), "Y Positions");
    EXPECT_EQ(CaptionOf(form_.current_label_caption.hwnd()), "Start Button's Label:");
    EXPECT_EQ(CaptionOf(form_.new_label_caption.hwnd()), "New Label:");
    EXPECT_TRUE(GetWindowLongA(form_.current_label_box.hwnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongA(form_.new_label_box.hwnd(), GWL_STYLE) & ES_READONLY);
}

// A window on a monitor of another scale is laid out as one made there, and back.
TEST_F(MainWindowLayout, ADpiChangeLaysItOutAsIfMadeAtTheNewDpi) {
    for (int dpi : DpiChangesFrom(dpi_)) {
        SCOPED_TRACE(dpi);
        test_support::SendDpiChange(form_.hwnd(), dpi, win::TwipsToPixels(4740, dpi),
                                    win::TwipsToPixels(4155, dpi));
        ExpectMainWindowLaidOutAt(form_, dpi);
    }
}

TEST_F(MainWindowLayout, FirstStartValuesRangesAndVisibility) {
    EXPECT_FALSE(form_.transparency_slider.Visible());
    EXPECT_EQ(form_.transparency_slider.Max(), 255);
    EXPECT_EQ(form_.y_slider.Max(), 100);
    EXPECT_EQ(form_.height_slider.Max(), 100);
    EXPECT_EQ(form_.x_slider.Value(), 0);
    EXPECT_EQ(form_.width_slider.Value(), 100);
    EXPECT_EQ(form_.y_slider.Value(), 0);
    EXPECT_EQ(form_.height_slider.Value(), 32);
    EXPECT_EQ(form_.make_opaque_box.Value(), 0);
    EXPECT_EQ(form_.startup_box.Value(), 0);
    EXPECT_EQ(form_.new_label_box.Text(), "");
    // The customize window is made only when the user opens it; the X sliders reach its client
    // width at screen width, plus 10, measured here on the real window.
    EXPECT_EQ(form_.CustomizeIfMade(), nullptr);
    customize_window::CustomizeWindow& customize = form_.Customize();
    RECT r{};
    GetWindowRect(customize.hwnd(), &r);
    SetWindowPos(customize.hwnd(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client_at_screen_width{};
    GetClientRect(customize.hwnd(), &client_at_screen_width);
    EXPECT_EQ(form_.x_slider.Max(), client_at_screen_width.right + 10);
    EXPECT_EQ(form_.width_slider.Max(), client_at_screen_width.right + 10);
}

TEST_F(MainWindowLayout, TabVisitsTheControlsInTheirOrder) {
    auto tab_order = [&] {
        std::vector<HWND> order;
        HWND first = form_.new_label_box.hwnd();
        HWND w = first;
        do {
            order.push_back(w);
            w = GetNextDlgTabItem(form_.hwnd(), w, FALSE);
        } while (w && w != first && order.size() < 20);
        return order;
    };
    std::vector<HWND> expected{
        form_.new_label_box.hwnd(), form_.current_label_box.hwnd(), form_.make_opaque_box.hwnd(),
        form_.startup_box.hwnd(),   form_.width_slider.hwnd(),      form_.x_slider.hwnd(),
        form_.y_slider.hwnd(),      form_.height_slider.hwnd(),     form_.about_button.hwnd()};
    EXPECT_EQ(tab_order(), expected) << "the hidden transparency slider is skipped";

    form_.make_opaque_box.SetValue(1);
    expected.insert(expected.begin() + 3, form_.transparency_slider.hwnd());
    EXPECT_EQ(tab_order(), expected) << "the transparency slider joins while visible";
    form_.make_opaque_box.SetValue(0);
}

}  // namespace

namespace {

TEST_F(MainWindowLayout, CustomizeWindowHasItsSizeToolbarAndTextFrame) {
    customize_window::CustomizeWindow& customize = form_.Customize();
    HWND w = customize.hwnd();
    EXPECT_EQ(CaptionOf(w), "Customize Window");
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_SYSMENU);
    ExpectCustomizeWindowLaidOutAt(customize, dpi_);

    HWND bar = customize.shape_toolbar.hwnd();
    EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 5) << "three buttons between two separators";
    auto caption = [bar](int command) {
        char text[32] = {};
        SendMessageA(bar, TB_GETBUTTONTEXTA, command, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    EXPECT_EQ(caption(customize_window::kEllipseCommand), "Ellipse");
    EXPECT_EQ(caption(customize_window::kRectangleCommand), "Rectangle");
    EXPECT_EQ(caption(customize_window::kTextCommand), "Text");
    EXPECT_EQ(CaptionOf(customize.font_options_button.hwnd()), "Font Options");
    EXPECT_FALSE(customize.text_frame.Visible()) << "the text frame shows only for the text outline";
}

TEST_F(MainWindowLayout, CustomizeWindowFollowsADpiChangeAsIfMadeAtTheNewDpi) {
    customize_window::CustomizeWindow& customize = form_.Customize();
    for (int dpi : DpiChangesFrom(dpi_)) {
        SCOPED_TRACE(dpi);
        test_support::SendDpiChange(customize.hwnd(), dpi, win::TwipsToPixels(3885, dpi),
                                    win::TwipsToPixels(2340, dpi), win::TwipsToPixels(4035, dpi));
        ExpectCustomizeWindowLaidOutAt(customize, dpi);
    }
}

}  // namespace
