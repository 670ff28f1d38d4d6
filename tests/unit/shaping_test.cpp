// The region slot's ownership rules and the shape application on the test desktop's real Start
// button: the outline it gets, and no region left behind over many applications.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/form1.h"
#include "customize/form2.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "shaping/current_region.h"
#include "test_support.h"

namespace {

using settings::Value;
using shaping::CurrentRegion;

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

TEST(CurrentRegionSlot, OwnsItsRegionUntilTheWindowTakesIt) {
    test_support::HostWindow window;
    const int before = test_support::CountGdiObjects();
    deleted_regions.clear();
    HRGN handed_over = nullptr;
    {
        CurrentRegion slot(RecordDeletion);
        EXPECT_EQ(slot.state(), CurrentRegion::State::kNone);
        HRGN first = CreateEllipticRgn(0, 0, 40, 20);
        HRGN second = CreateRectRgn(0, 0, 40, 20);
        slot.Replace(first);
        EXPECT_EQ(slot.state(), CurrentRegion::State::kOwned);
        slot.Replace(second);  // the first was never used: it goes now
        EXPECT_FALSE(IsRegion(first));
        EXPECT_TRUE(IsRegion(second));
        slot.Replace(nullptr);
        EXPECT_FALSE(IsRegion(second));
        EXPECT_EQ(slot.state(), CurrentRegion::State::kNull);

        // A window that cannot take the region: the region is ours to delete.
        HRGN third = CreateRectRgn(0, 0, 10, 10);
        slot.Replace(third);
        slot.ApplyTo(nullptr);
        EXPECT_FALSE(IsRegion(third));
        EXPECT_EQ(slot.owned(), nullptr);
        HWND stale =
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(stale);
        HRGN fourth = CreateRectRgn(0, 0, 10, 10);
        slot.Replace(fourth);
        slot.ApplyTo(stale);
        EXPECT_FALSE(IsRegion(fourth));

        // Handed over: the slot lets go of it, and applying again keeps the window's outline.
        handed_over = CreateRectRgn(0, 0, 30, 15);
        slot.Replace(handed_over);
        slot.ApplyTo(window.hwnd());
        EXPECT_EQ(slot.state(), CurrentRegion::State::kHandedOver);
        EXPECT_EQ(slot.owned(), nullptr);
        for (int i = 0; i < 3; ++i) {
            slot.ApplyTo(window.hwnd());
            WindowShape shape(window.hwnd());
            EXPECT_NE(shape.kind, ERROR);
            EXPECT_TRUE(shape.Has(29, 14));
            EXPECT_FALSE(shape.Has(31, 5));
        }
        // A null region gives the window its full rectangle back.
        slot.Replace(nullptr);
        slot.ApplyTo(window.hwnd());
        EXPECT_EQ(WindowShape(window.hwnd()).kind, ERROR);
        // The slot deletes a region it still owns when it goes.
        slot.Replace(CreateRectRgn(0, 0, 5, 5));
    }
    EXPECT_EQ(test_support::CountGdiObjects(), before);
    EXPECT_EQ(deleted_regions.size(), 5u);
    EXPECT_EQ(std::count(deleted_regions.begin(), deleted_regions.end(), handed_over), 0);
}

class StartButtonDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.created());
        ASSERT_NE(form->StartButtonWnd(), nullptr);
        ASSERT_EQ(form->StartButtonWnd(), restore.button());
    }
    void SetType(const std::string& type) { registry::WriteSetting(names::kType, Value::Text(type)); }
    HWND button() { return form->StartButtonWnd(); }
    int Pressed(int index) { return form->CustomizeWindow().Toolbar1.ButtonValue(index); }

    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    // An outline from before the start, which the first draw (no Type stored) must take away.
    bool preshaped = SetWindowRgn(restore.button(), CreateEllipticRgn(0, 0, 8, 8), TRUE) != 0;
    test_support::RunningForm1 form;
};

TEST_F(StartButtonDraw, OutlineFollowsTypeAndWidth) {
    // First start, no Type: the load's draw left the full rectangle and pressed no button.
    EXPECT_TRUE(preshaped);
    EXPECT_EQ(WindowShape(button()).kind, ERROR);
    for (int i : {1, 3, 5}) EXPECT_EQ(Pressed(i), 0) << i;

    ASSERT_TRUE(form->HScroll3.SetValue(60));  // also places the button: width 60, height 32
    SetType("Ellipse");
    form->draw();
    {
        WindowShape shape(button());
        EXPECT_NE(shape.kind, ERROR);
        EXPECT_FALSE(shape.Has(1, 1));  // corner cut off
        EXPECT_TRUE(shape.Has(30, 16));
        EXPECT_TRUE(shape.Has(56, 16));
        EXPECT_FALSE(shape.Has(61, 16));
    }
    EXPECT_EQ(Pressed(1), 1);

    ASSERT_TRUE(form->HScroll3.SetValue(80));
    SetType("Rectangle");
    form->draw();
    {
        WindowShape shape(button());
        EXPECT_TRUE(shape.Has(1, 1));
        EXPECT_TRUE(shape.Has(79, 30));
        EXPECT_FALSE(shape.Has(81, 16));
        EXPECT_FALSE(shape.Has(10, 33));
    }
    EXPECT_EQ(Pressed(3), 1);

    // Spaces around the name are stripped; the case is not ignored.
    SetType(" Ellipse ");
    form->draw();
    EXPECT_FALSE(WindowShape(button()).Has(1, 1));
    EXPECT_TRUE(WindowShape(button()).Has(40, 16));
    form->HScroll3.SetValue(70);
    SetType("Rectangle");
    form->draw();
    SetType("ellipse");
    form->draw();  // no region built: the rectangle stays
    EXPECT_TRUE(WindowShape(button()).Has(1, 1));
    EXPECT_TRUE(WindowShape(button()).Has(69, 16));

    // Width 0: an empty outline on a button of no width, nothing of it shows. (Wine turns an
    // ellipse of no width into a column left of the box, outside the window.)
    form->HScroll3.SetValue(0);
    SetType("Ellipse");
    form->draw();
    RECT placed{};
    GetWindowRect(button(), &placed);
    EXPECT_EQ(placed.right - placed.left, 0);
    WindowShape empty(button());
    EXPECT_NE(empty.kind, ERROR);
    RECT box{};
    if (GetRgnBox(empty.copy, &box) != NULLREGION) {
        EXPECT_LE(box.right, 0);
    }
}

TEST_F(StartButtonDraw, TextTypePressesTextButtonAndShapesFromTheText) {
    registry::WriteSetting(names::kText2, Value::Text("Pelmora"));
    registry::WriteSetting(names::kNFont, Value::Text("DejaVu Sans"));
    registry::WriteSetting(names::kSFont, Value::Single(12.0f));
    SetType("Text");
    form->draw();
    EXPECT_EQ(Pressed(5), 1);
    EXPECT_EQ(form->CustomizeWindow().Text1.Text(), "Pelmora");
    EXPECT_FALSE(IsWindowVisible(form->CustomizeWindow().hwnd()));  // draw never shows it
    WindowShape shape(button());
    EXPECT_NE(shape.kind, ERROR);
    RECT box{};
    GetRgnBox(shape.copy, &box);
    EXPECT_LT(box.left, 5);
    EXPECT_GT(box.right, 30);  // seven letters at 12 points
}

// A region left behind every second kills the program after some hours: count GDI objects.
TEST_F(StartButtonDraw, ThousandDrawsLeaveNoRegionBehind) {
    registry::WriteSetting(names::kText2, Value::Text("Pelmora"));
    registry::WriteSetting(names::kNFont, Value::Text("DejaVu Sans"));
    registry::WriteSetting(names::kSFont, Value::Single(14.0f));
    auto growth = [this](const char* type) {
        SetType(type);
        for (int i = 0; i < 20; ++i) form->draw();  // warm-up: fonts and DCs cache a few objects
        const int before = test_support::CountGdiObjects();
        for (int i = 0; i < 1000; ++i) form->draw();
        return test_support::CountGdiObjects() - before;
    };
    EXPECT_LE(growth("Ellipse"), 2);
    EXPECT_LE(growth("Rectangle"), 2);
    EXPECT_LE(growth("Text"), 2);
    EXPECT_LE(growth("Unknown"), 2);

    // No taskbar: every region is refused and must be deleted by us.
    form->UseTaskbarWindows(nullptr, nullptr);
    EXPECT_LE(growth("Ellipse"), 2);
    EXPECT_LE(growth("Rectangle"), 2);
    EXPECT_LE(growth("Text"), 2);
}

// Taskbars of further monitors appearing and going away between ticks: each gets a copy of the
// outline while it is there, and nothing is left behind.
TEST_F(StartButtonDraw, ExtraTaskbarsComeAndGoWithoutLeaking) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_SecondaryTrayWnd";
    RegisterClassA(&wc);
    wc.lpszClassName = "Start";
    RegisterClassA(&wc);
    registry::WriteSetting(names::kText2, Value::Text("Pel"));
    SetType("Text");
    for (int i = 0; i < 3; ++i) form->Timer1_Timer();
    const int before = test_support::CountGdiObjects();

    for (int round = 0; round < 20; ++round) {
        HWND taskbars[2], starts[2];
        for (int i = 0; i < 2; ++i) {
            taskbars[i] = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_SecondaryTrayWnd", "", WS_POPUP, 0, 0, 600, 30,
                                          nullptr, nullptr, nullptr, nullptr);
            starts[i] = CreateWindowExA(0, "Start", "Start", WS_CHILD, 0, 0, 40, 20, taskbars[i], nullptr, nullptr,
                                        nullptr);
        }
        form->Timer1_Timer();
        form->Timer1_Timer();
        for (HWND start : starts) EXPECT_NE(WindowShape(start).kind, ERROR) << round;
        DestroyWindow(taskbars[round % 2]);  // one monitor goes, then a tick, then the other
        form->Timer1_Timer();
        DestroyWindow(taskbars[1 - round % 2]);
        form->Timer1_Timer();
    }
    EXPECT_TRUE(form->SecondaryTaskbars().empty());
    EXPECT_EQ(test_support::CountGdiObjects(), before);
}

}  // namespace
