// The control layer's event rules on real windows: a value set from code raises nothing; a
// person's action raises the handler once, when the value changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/controls.h"
#include "test_support.h"

namespace {

class Controls : public ::testing::Test {
  protected:
    test_support::HostWindow window;
};

// A value set from code only shows it; no handler runs (a scroll bar still refuses what lies
// outside its range, a box holds its text up to the first NUL).
TEST_F(Controls, ValuesSetFromCodeShowAndRaiseNothing) {
    int raised = 0;
    controls::ScrollBar bar;
    ASSERT_TRUE(bar.Create(window.hwnd(), RECT{0, 0, 200, 20}, 11, {0, 100, 32, 1, 5}));
    bar.Change = [&] { ++raised; };
    EXPECT_TRUE(bar.SetValue(40));
    EXPECT_EQ(GetScrollPos(bar.hwnd(), SB_CTL), 40);
    EXPECT_FALSE(bar.SetValue(101));
    EXPECT_FALSE(bar.SetValue(-1));
    EXPECT_EQ(bar.Value(), 40);
    bar.SetMax(30);  // below the value: the value moves to it
    EXPECT_EQ(bar.Value(), 30);
    EXPECT_EQ(GetScrollPos(bar.hwnd(), SB_CTL), 30);

    controls::CheckBox box;
    ASSERT_TRUE(box.Create(window.hwnd(), RECT{0, 30, 100, 50}, 21, "Startup"));
    box.Click = [&] { ++raised; };
    box.SetValue(1);
    EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    box.SetValue(3);  // not a check box state
    EXPECT_EQ(box.Value(), 1);
    box.SetValue(2);
    EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);

    controls::TextBox text;
    ASSERT_TRUE(text.Create(window.hwnd(), RECT{0, 60, 200, 84}, 31, "start"));
    text.Change = [&] { ++raised; };
    text.SetText("Ellipse");  // the EDIT sends EN_CHANGE itself on WM_SETTEXT
    EXPECT_EQ(text.Text(), "Ellipse");
    text.SetText(std::string("Oval\0more", 9));
    EXPECT_EQ(text.Text(), "Oval");

    EXPECT_EQ(raised, 0);
}

TEST_F(Controls, UserScrollThroughTheParentRaisesChangeOnce) {
    controls::ScrollBar bar;
    ASSERT_TRUE(bar.Create(window.hwnd(), RECT{0, 0, 200, 20}, 11, {0, 100, 0, 1, 10}));
    int changes = 0;
    bar.Change = [&] { ++changes; };
    auto scroll = [&](WORD code, WORD position = 0) {
        SendMessageA(window.hwnd(), WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(bar.hwnd()));
    };

    scroll(SB_LINERIGHT);
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(changes, 1);
    scroll(SB_PAGERIGHT);
    EXPECT_EQ(bar.Value(), 11);
    EXPECT_EQ(changes, 2);
    scroll(SB_LINELEFT);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(changes, 3);

    // Dragging the thumb changes nothing; its release sets the value once.
    scroll(SB_THUMBTRACK, 60);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(changes, 3);
    scroll(SB_THUMBPOSITION, 60);
    EXPECT_EQ(bar.Value(), 60);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(GetScrollPos(bar.hwnd(), SB_CTL), 60);
    scroll(SB_THUMBPOSITION, 60);
    EXPECT_EQ(changes, 4);
    scroll(SB_ENDSCROLL);
    EXPECT_EQ(changes, 4);

    // At the ends the arrows and Home/End raise nothing more.
    scroll(SB_RIGHT);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(changes, 5);
    scroll(SB_LINERIGHT);
    scroll(SB_PAGERIGHT);
    scroll(SB_RIGHT);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(changes, 5);
    scroll(SB_LEFT);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(changes, 6);
    scroll(SB_PAGELEFT);
    EXPECT_EQ(changes, 6);

    // A message from a window the host does not know goes nowhere.
    EXPECT_FALSE(window.host().Forward(WM_HSCROLL, SB_LINERIGHT, 0));
    EXPECT_FALSE(window.host().Forward(WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(window.hwnd())));
    EXPECT_EQ(changes, 6);
}

// A click toggles a box (a grey one is ticked) and typing changes a text, each raising its
// handler once with the new value in place.
TEST_F(Controls, AClickOrTypingRaisesTheHandlerOnceWithTheNewValue) {
    controls::CheckBox box;
    ASSERT_TRUE(box.Create(window.hwnd(), RECT{0, 0, 100, 20}, 21, "Startup"));
    std::vector<int> seen;
    box.Click = [&] { seen.push_back(box.Value()); };
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);  // BM_CLICK sends BN_CLICKED to the parent
    EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    box.SetValue(2);
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1}));

    controls::TextBox text;
    ASSERT_TRUE(text.Create(window.hwnd(), RECT{0, 30, 200, 54}, 31, "start"));
    std::vector<std::string> typed;
    text.Change = [&] { typed.push_back(text.Text()); };
    SendMessageA(text.hwnd(), EM_SETSEL, 0, -1);
    SendMessageA(text.hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("ab"));
    EXPECT_EQ(typed, (std::vector<std::string>{"ab"}));
}

TEST_F(Controls, ButtonClickAndUnsetHandlers) {
    controls::Button button;
    ASSERT_TRUE(button.Create(window.hwnd(), RECT{0, 0, 80, 24}, 41, "About"));
    controls::CheckBox box;
    ASSERT_TRUE(box.Create(window.hwnd(), RECT{0, 30, 80, 50}, 42, "x"));
    SendMessageA(button.hwnd(), BM_CLICK, 0, 0);  // no handler: nothing happens, nothing breaks
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    SendMessageA(button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
