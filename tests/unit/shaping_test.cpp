// The region slot's ownership rules and the shape application on the test desktop's real Start
// button: the outline it gets, and no region left behind over many applications.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "main_window/main_window.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "shell/region_slot.h"
#include "test_support.h"

namespace {

using core::RegionSlot;
using settings::Value;

bool IsRegion(HRGN r) { return GetObjectType(r) == OBJ_REGION; }

// The window's region now: GetWindowRgn's result and whether `pt` lies in it.
struct WindowShape {
    int kind = ERROR;
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    explicit WindowShape(HWND w) { kind = GetWindowRgn(w, copy); }
    ~WindowShape() { DeleteObject(copy); }
    bool Has(int x, int y) const { return kind != ERROR && PtInRegion(copy, x, y); }
};

// Every region the slot deletes. Wine frees a region itself inside a successful SetWindowRgn, so
// only this record shows a deletion of a handed-over region (fatal on Windows).
std::vector<HRGN> deleted_regions;
void RecordDeletion(HRGN region) {
    deleted_regions.push_back(region);
    DeleteObject(region);
}

TEST(CurrentRegionSlot, KeepsTheOutlineAndGivesEachWindowACopy) {
    test_support::HostWindow window;
    const int before = test_support::CountGdiObjects();
    deleted_regions.clear();
    {
        RegionSlot slot(RecordDeletion);
        EXPECT_EQ(slot.state(), RegionSlot::State::kNone);
        EXPECT_TRUE(slot.IsOn(window.hwnd())) << "nothing built: no region is the outline";
        HRGN first = CreateEllipticRgn(0, 0, 40, 20);
        slot.Replace(win::unique_hrgn(first));
        slot.Replace(win::unique_hrgn(CreateRectRgn(0, 0, 30, 15)));  // the first was never used: it goes
        EXPECT_FALSE(IsRegion(first));

        // A window that cannot take a copy: the copy is ours to delete, each time, the outline stays.
        EXPECT_FALSE(slot.CopyTo(nullptr));
        EXPECT_FALSE(slot.CopyTo(nullptr));
        EXPECT_EQ(deleted_regions.size(), 3u);
        EXPECT_TRUE(IsRegion(slot.owned()));

        EXPECT_FALSE(slot.IsOn(window.hwnd()));
        EXPECT_TRUE(slot.CopyTo(window.hwnd()));
        EXPECT_TRUE(slot.IsOn(window.hwnd()));
        EXPECT_TRUE(IsRegion(slot.owned())) << "the window took a copy, not the outline";
        WindowShape shape(window.hwnd());
        EXPECT_TRUE(shape.Has(29, 14));
        EXPECT_FALSE(shape.Has(31, 5));

        // Compared again, once the window's form of the outline is known: as many rectangles
        // elsewhere (another program's region) are not the outline, and a new outline is not the old.
        SetWindowRgn(window.hwnd(), CreateRectRgn(1, 0, 31, 15), TRUE);
        EXPECT_FALSE(slot.IsOn(window.hwnd()));
        EXPECT_TRUE(slot.CopyTo(window.hwnd()));
        EXPECT_TRUE(slot.IsOn(window.hwnd()));
        slot.Replace(win::unique_hrgn(CreateRectRgn(0, 0, 20, 10)));
        EXPECT_FALSE(slot.IsOn(window.hwnd()));

        // No region (an empty text outline) gives the window its full rectangle back.
        slot.Replace(win::unique_hrgn());
        EXPECT_EQ(slot.state(), RegionSlot::State::kNull);
        EXPECT_FALSE(slot.IsOn(window.hwnd()));
        EXPECT_TRUE(slot.CopyTo(window.hwnd()));
        EXPECT_EQ(WindowShape(window.hwnd()).kind, ERROR);
        slot.Replace(win::unique_hrgn(CreateRectRgn(0, 0, 5, 5)));  // deleted when the slot goes
    }
    EXPECT_EQ(test_support::CountGdiObjects(), before);
    EXPECT_EQ(deleted_regions.size(), 6u);
}

class ShapeApplication : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.created());
        ASSERT_NE(restore.button(), nullptr);
    }
    void SetType(const std::string& type) { registry::WriteSetting(names::kShapeType, Value::Text(type)); }
    HWND button() { return restore.button(); }
    // Pressed as the user sees it on opening the customize window.
    bool Pressed(int command) {
        return form.OpenCustomize().Pressed(customize_window::kShapeToolbar, command);
    }
    void Drag(int slider, int value) { form.driver().Drag(slider, value); }
    // The shell lays its Start button out anew, in its own time, when a window is made or goes, and
    // takes a placement in its own time too: tick as the timer does until the outline has the size
    // asked (a wrong one never comes, and the checks after tell).
    void TickUntilOutlineIs(int width, int height) {
        for (int i = 0; i < 100; ++i) {
            form.Tick();
            WindowShape shape(button());
            RECT box{};
            if (shape.kind != ERROR && GetRgnBox(shape.copy, &box) && std::abs(box.right - width) <= 1 &&
                std::abs(box.bottom - height) <= 1)
                return;
            test_support::PumpMessages(20);
        }
    }

    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    // An outline from before the start, which the first draw (no Type stored) must take away.
    bool preshaped = SetWindowRgn(restore.button(), CreateEllipticRgn(0, 0, 8, 8), TRUE) != 0;
    test_support::RunningMainWindow form;
};

TEST_F(ShapeApplication, OutlineFollowsTypeAndWidth) {
    // First start, no Type: the load's draw left the full rectangle and pressed no button.
    EXPECT_TRUE(preshaped);
    EXPECT_EQ(WindowShape(button()).kind, ERROR);
    for (int c : {customize_window::kEllipseCommand, customize_window::kRectangleCommand,
                  customize_window::kTextCommand})
        EXPECT_FALSE(Pressed(c)) << c;

    Drag(main_window::kWidthSlider, 60);  // also places the button: width 60, height 32
    SetType("Ellipse");
    TickUntilOutlineIs(60, 32);
    {
        WindowShape shape(button());
        EXPECT_NE(shape.kind, ERROR);
        EXPECT_FALSE(shape.Has(1, 1));  // corner cut off
        EXPECT_TRUE(shape.Has(30, 16));
        EXPECT_TRUE(shape.Has(56, 16));
        EXPECT_FALSE(shape.Has(61, 16));
    }
    EXPECT_TRUE(Pressed(customize_window::kEllipseCommand));

    Drag(main_window::kWidthSlider, 80);
    SetType("Rectangle");
    TickUntilOutlineIs(80, 32);
    {
        WindowShape shape(button());
        EXPECT_TRUE(shape.Has(1, 1));
        EXPECT_TRUE(shape.Has(79, 30));
        EXPECT_FALSE(shape.Has(81, 16));
        EXPECT_FALSE(shape.Has(10, 33));
    }
    EXPECT_TRUE(Pressed(customize_window::kRectangleCommand));

    // A type that names no shape builds nothing: the outline already handed over stays.
    Drag(main_window::kWidthSlider, 70);
    TickUntilOutlineIs(70, 32);
    SetType("ellipse");
    form.Tick();
    EXPECT_TRUE(WindowShape(button()).Has(1, 1));
    EXPECT_TRUE(WindowShape(button()).Has(69, 16));
}

TEST_F(ShapeApplication, TextTypePressesTextButtonAndShapesFromTheText) {
    registry::WriteSetting(names::kOutlineText, Value::Text("Pelmora"));
    registry::WriteSetting(names::kFontFace, Value::Text("DejaVu Sans"));
    registry::WriteSetting(names::kFontSize, Value::Single(12.0f));
    SetType("Text");
    SendMessageW(button(), WM_NULL, 0, 0);  // the shell, busy with the new windows, has answered
    test_support::PumpMessages();
    form.Tick();
    EXPECT_EQ(test_support::FindOwnWindow(customize_window::kCustomizeWindowClass), nullptr)
        << "the tick never makes the customize window";
    const test_support::Driver customize = form.OpenCustomize();
    EXPECT_TRUE(customize.Pressed(customize_window::kShapeToolbar, customize_window::kTextCommand));
    EXPECT_EQ(customize.Text(customize_window::kOutlineTextBox), "Pelmora");
    WindowShape shape(button());
    EXPECT_NE(shape.kind, ERROR);
    RECT box{};
    GetRgnBox(shape.copy, &box);
    EXPECT_LT(box.left, 5);
    EXPECT_GT(box.right, 30);  // seven letters at 12 points
}

// A region left behind every second kills the program after some hours: count GDI objects.
TEST_F(ShapeApplication, ThousandApplicationsLeaveNoRegionBehind) {
    registry::WriteSetting(names::kOutlineText, Value::Text("Pelmora"));
    registry::WriteSetting(names::kFontFace, Value::Text("DejaVu Sans"));
    registry::WriteSetting(names::kFontSize, Value::Single(14.0f));
    auto growth = [this](const char* type) {
        SetType(type);
        form.Tick(20);  // warm-up: fonts and DCs cache a few objects
        const int before = test_support::CountGdiObjects();
        form.Tick(1000);
        return test_support::CountGdiObjects() - before;
    };
    EXPECT_LE(growth("Ellipse"), 2);
    EXPECT_LE(growth("Rectangle"), 2);
    EXPECT_LE(growth("Text"), 2);
    EXPECT_LE(growth("Unknown"), 2);
}

// Taskbars of further monitors appearing and going away between ticks: each gets a copy of the
// outline while it is there, and nothing is left behind.
TEST_F(ShapeApplication, ExtraTaskbarsComeAndGoWithoutLeaking) {
    registry::WriteSetting(names::kOutlineText, Value::Text("Pel"));
    SetType("Text");
    form.Tick(3);
    const int before = test_support::CountGdiObjects();

    for (int round = 0; round < 20; ++round) {
        HWND taskbars[2], starts[2];
        for (int i = 0; i < 2; ++i) {
            const test_support::StandInTaskbar extra =
                test_support::MakeStandInTaskbar("Shell_SecondaryTrayWnd", "Start");
            taskbars[i] = extra.taskbar;
            starts[i] = extra.button;
        }
        form.Tick(2);
        for (HWND start : starts) EXPECT_NE(WindowShape(start).kind, ERROR) << round;
        DestroyWindow(taskbars[round % 2]);  // one monitor goes, then a tick, then the other
        form.Tick();
        DestroyWindow(taskbars[1 - round % 2]);
        form.Tick();
    }
    EXPECT_EQ(test_support::CountGdiObjects(), before);
}

// A Start button whose shell keeps it 20 pixels high, whatever it is asked.
WNDPROC button_proc = nullptr;
LRESULT CALLBACK TwentyPixelsHigh(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lp)->cy = 20;
    return CallWindowProcA(button_proc, window, msg, wp, lp);
}

// With an extra taskbar there, the main Start button still takes each new outline, and the extra
// one an outline of its own height.
TEST_F(ShapeApplication, EveryStartButtonTakesEachOutlineAtItsOwnHeight) {
    const auto [taskbar, low] = test_support::MakeStandInTaskbar("Shell_SecondaryTrayWnd");
    button_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(low, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TwentyPixelsHigh)));

    Drag(main_window::kWidthSlider, 60);
    Drag(main_window::kHeightSlider, 32);
    for (const char* type : {"Ellipse", "Rectangle"}) {
        SetType(type);
        TickUntilOutlineIs(60, 32);
        RECT main_box{}, low_box{};
        WindowShape main_shape(button()), low_shape(low);
        ASSERT_NE(main_shape.kind, ERROR) << type;
        ASSERT_NE(low_shape.kind, ERROR) << type;
        GetRgnBox(main_shape.copy, &main_box);
        GetRgnBox(low_shape.copy, &low_box);
        EXPECT_EQ(main_shape.Has(1, 1), std::string(type) == "Rectangle")
            << "the main button's outline is new";
        EXPECT_NEAR(main_box.bottom - main_box.top, 32, 1) << type;
        EXPECT_NEAR(low_box.bottom - low_box.top, 20, 1) << type;
    }
    DestroyWindow(taskbar);
}

}  // namespace
