// The main window as a person meets it: where every control sits, what it says, its range and the
// order the Tab key visits them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "customize/form2.h"
#include "settings/registry.h"
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
    RECT At(int l, int t, int w, int h, int ox = 0, int oy = 0) const {
        return win::TwipsToClientRect({l, t, w, h}, dpi_, ox, oy);
    }

    app::Form1 form_;
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
    const int f1x = 1200, f1y = 0, f2x = 1320, f2y = 1560, f3x = 1320, f3y = 2640;
    ExpectRect(form_.Command1.hwnd(), At(0, 0, 1150, 315), "Command1");
    ExpectRect(form_.Text1.hwnd(), At(2880, 540, 975, 285), "Text1");
    ExpectRect(form_.Frame1.hwnd(), At(1200, 0, 3495, 4095), "Frame1");
    ExpectRect(form_.Frame2.hwnd(), At(120, 1560, 3255, 855, f1x, f1y), "Frame2");
    ExpectRect(form_.HScroll2.hwnd(), At(120, 360, 1455, 255, f2x, f2y), "HScroll2");
    ExpectRect(form_.HScroll3.hwnd(), At(1680, 360, 1455, 255, f2x, f2y), "HScroll3");
    ExpectRect(form_.Check2.hwnd(), At(2040, 1280, 1215, 195, f1x, f1y), "Check2");
    ExpectRect(form_.HScroll1.hwnd(), At(1920, 900, 1455, 255, f1x, f1y), "HScroll1");
    ExpectRect(form_.Check1.hwnd(), At(120, 840, 1335, 255, f1x, f1y), "Check1");
    ExpectRect(form_.Text2.hwnd(), At(1680, 180, 975, 285, f1x, f1y), "Text2");
    ExpectRect(form_.Frame3.hwnd(), At(120, 2640, 3255, 855, f1x, f1y), "Frame3");
    ExpectRect(form_.HScroll5.hwnd(), At(1680, 360, 1455, 255, f3x, f3y), "HScroll5");
    ExpectRect(form_.HScroll4.hwnd(), At(120, 360, 1455, 255, f3x, f3y), "HScroll4");

    EXPECT_EQ(CaptionOf(form_.Command1.hwnd()), "About");
    EXPECT_EQ(CaptionOf(form_.Check1.hwnd()), "Make Opaque");
    EXPECT_EQ(CaptionOf(form_.Check2.hwnd()), "Startup");
    EXPECT_EQ(CaptionOf(form_.Frame2.hwnd()), "X Positions");
    EXPECT_EQ(CaptionOf(form_.Frame3.hwnd()), "Y Positions");
    EXPECT_EQ(CaptionOf(form_.Label2.hwnd()), "Start Button's Label:");
    EXPECT_EQ(CaptionOf(form_.Label3.hwnd()), "New Label:");
    // Labels start at their places and are sized to their one line.
    const RECT label3 = ClientRectOf(form_.Label3.hwnd());
    EXPECT_EQ(label3.left, win::TwipsToPixels(f1x + 120, dpi_));
    EXPECT_EQ(label3.top, win::TwipsToPixels(f1y + 600, dpi_));
    EXPECT_GT(label3.right - label3.left, 20);
    EXPECT_LT(label3.right - label3.left, win::TwipsToPixels(1680 - 120, dpi_)) << "must not run under Text1";

    EXPECT_TRUE(GetWindowLongA(form_.Text2.hwnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongA(form_.Text1.hwnd(), GWL_STYLE) & ES_READONLY);
    // The action pictures lie inside the frame, the label action beside "Startup".
    EXPECT_EQ(form_.Image4.Bounds().left, win::TwipsToPixels(f1x + 120, dpi_));
    EXPECT_EQ(form_.Image5.Bounds().top, win::TwipsToPixels(f1y + 3480, dpi_));
}

TEST_F(MainWindowLayout, FirstStartValuesRangesAndVisibility) {
    EXPECT_FALSE(form_.HScroll1.Visible());
    EXPECT_EQ(form_.HScroll1.Max(), 255);
    EXPECT_EQ(form_.HScroll4.Max(), 100);
    EXPECT_EQ(form_.HScroll5.Max(), 100);
    EXPECT_EQ(form_.HScroll2.Value(), 0);
    EXPECT_EQ(form_.HScroll3.Value(), 100);
    EXPECT_EQ(form_.HScroll4.Value(), 0);
    EXPECT_EQ(form_.HScroll5.Value(), 32);
    EXPECT_EQ(form_.Check1.Value(), 0);
    EXPECT_EQ(form_.Check2.Value(), 0);
    EXPECT_EQ(form_.Text1.Text(), "");
    // The X sliders reach the customize window's client width at screen width, plus 10.
    customize::Form2& form2 = form_.CustomizeWindow();
    const int client_at_screen_width = [&] {
        RECT r{};
        GetWindowRect(form2.hwnd(), &r);
        form2.SetOuterWidth(GetSystemMetrics(SM_CXSCREEN));
        const int w = form2.ClientWidthPixels();
        form2.SetOuterWidth(r.right - r.left);
        return w;
    }();
    EXPECT_EQ(form_.HScroll2.Max(), client_at_screen_width + 10);
    EXPECT_EQ(form_.HScroll3.Max(), client_at_screen_width + 10);
    RECT r{};
    GetWindowRect(form2.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, win::TwipsToPixels(4035, dpi_)) << "customize window back at its own width";
}

TEST_F(MainWindowLayout, TabVisitsTheControlsInTheirOrder) {
    auto tab_order = [&] {
        std::vector<HWND> order;
        HWND first = form_.Text1.hwnd();
        HWND w = first;
        do {
            order.push_back(w);
            w = GetNextDlgTabItem(form_.hwnd(), w, FALSE);
        } while (w && w != first && order.size() < 20);
        return order;
    };
    std::vector<HWND> expected{form_.Text1.hwnd(),    form_.Text2.hwnd(),    form_.Check1.hwnd(),
                               form_.Check2.hwnd(),   form_.HScroll3.hwnd(), form_.HScroll2.hwnd(),
                               form_.HScroll4.hwnd(), form_.HScroll5.hwnd(), form_.Command1.hwnd()};
    EXPECT_EQ(tab_order(), expected) << "the hidden transparency slider is skipped";

    form_.Check1.SetValue(1);
    expected.insert(expected.begin() + 3, form_.HScroll1.hwnd());
    EXPECT_EQ(tab_order(), expected) << "the transparency slider joins while visible";
    form_.Check1.SetValue(0);
}

}  // namespace

namespace {

TEST_F(MainWindowLayout, CustomizeWindowHasItsSizeToolbarAndTextFrame) {
    customize::Form2& form2 = form_.CustomizeWindow();
    HWND w = form2.hwnd();
    EXPECT_EQ(CaptionOf(w), "Customize Window");
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_SYSMENU);
    RECT outer{};
    GetWindowRect(w, &outer);
    EXPECT_EQ(outer.right - outer.left, win::TwipsToPixels(4035, dpi_));
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, win::TwipsToPixels(2340, dpi_));

    EXPECT_EQ(form2.Toolbar1.ButtonCount(), 5);
    EXPECT_EQ(form2.Toolbar1.ButtonKey(1), "Ellipse");
    EXPECT_EQ(form2.Toolbar1.ButtonKey(3), "Rectangle");
    EXPECT_EQ(form2.Toolbar1.ButtonKey(5), "Text");
    const RECT toolbar = ClientRectOf(form2.Toolbar1.hwnd());
    EXPECT_EQ(toolbar.top, 0);
    EXPECT_EQ(toolbar.bottom, win::TwipsToPixels(600, dpi_));

    ExpectRect(form2.Frame1.hwnd(), At(120, 840, 3735, 975), "Form2.Frame1");
    ExpectRect(form2.Text1.hwnd(), At(120, 360, 2295, 375, 120, 840), "Form2.Text1");
    ExpectRect(form2.Command2.hwnd(), At(2520, 360, 1095, 375, 120, 840), "Form2.Command2");
    EXPECT_EQ(CaptionOf(form2.Command2.hwnd()), "Font Options");
    EXPECT_FALSE(form2.Frame1.Visible()) << "the text frame shows only for the text outline";
    // The frame must fit inside the window at every resolution.
    const RECT frame = ClientRectOf(form2.Frame1.hwnd());
    EXPECT_LE(frame.right, client.right);
    EXPECT_LE(frame.bottom, client.bottom);
}

}  // namespace
