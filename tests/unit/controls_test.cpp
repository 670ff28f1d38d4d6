// The control layer's event rules on real windows: a value set from code raises the handler once
// when it changes and never when it does not; a person's action raises it once too.
#include <gtest/gtest.h>

#include <string>

#include "controls/controls.h"
#include "test_support.h"

namespace {

class Controls : public ::testing::Test {
  protected:
    test_support::HostWindow window;
};

TEST_F(Controls, ScrollBarRaisesChangeOnlyForANewValueInRange) {
    controls::ScrollBar bar;
    ASSERT_TRUE(bar.Create(window.hwnd(), RECT{0, 0, 200, 20}, 11, {0, 100, 32, 1, 5}));
    int changes = 0;
    int seen = -1;
    bar.Change = [&] {
        ++changes;
        seen = bar.Value();  // the new value is in place when the handler runs
    };

    EXPECT_TRUE(bar.SetValue(40));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, 40);
    EXPECT_EQ(GetScrollPos(bar.hwnd(), SB_CTL), 40);

    EXPECT_TRUE(bar.SetValue(40));
    EXPECT_EQ(changes, 1);

    EXPECT_FALSE(bar.SetValue(101));
    EXPECT_FALSE(bar.SetValue(-1));
    EXPECT_EQ(bar.Value(), 40);
    EXPECT_EQ(GetScrollPos(bar.hwnd(), SB_CTL), 40);
    EXPECT_EQ(changes, 1);

    // Lowering the maximum below the value moves the value and raises Change once.
    bar.SetMax(30);
    EXPECT_EQ(bar.Value(), 30);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(seen, 30);
    bar.SetMax(50);  // above the value: nothing changes
    EXPECT_EQ(bar.Value(), 30);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(bar.SetValue(50));
    EXPECT_EQ(changes, 3);

    // A bar without a handler still takes values.
    controls::ScrollBar quiet;
    ASSERT_TRUE(quiet.Create(window.hwnd(), RECT{0, 30, 200, 50}, 12, {0, 10, 0, 1, 5}));
    EXPECT_TRUE(quiet.SetValue(5));
    EXPECT_EQ(quiet.Value(), 5);
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

TEST_F(Controls, CheckBoxRaisesClickOnChangeAndTogglesOnUserClick) {
    controls::CheckBox box;
    ASSERT_TRUE(box.Create(window.hwnd(), RECT{0, 0, 100, 20}, 21, "Startup"));
    int clicks = 0;
    int seen = -1;
    box.Click = [&] {
        ++clicks;
        seen = box.Value();
    };
    box.SetValue(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    box.SetValue(1);
    EXPECT_EQ(clicks, 1);
    box.SetValue(3);  // not a check box state
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(clicks, 1);

    // A click (BM_CLICK sends BN_CLICKED to the parent) toggles, raising Click once each time.
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, 2);
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(clicks, 3);

    // A grey box is ticked by a click.
    box.SetValue(2);
    EXPECT_EQ(SendMessageA(box.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(clicks, 4);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(21, BN_CLICKED), reinterpret_cast<LPARAM>(box.hwnd()));
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(clicks, 5);
}

TEST_F(Controls, TextBoxRaisesChangeOnceForANewText) {
    controls::TextBox box;
    ASSERT_TRUE(box.Create(window.hwnd(), RECT{0, 0, 200, 24}, 31, "start"));
    int changes = 0;
    std::string seen;
    box.Change = [&] {
        ++changes;
        seen = box.Text();
    };
    EXPECT_EQ(box.Text(), "start");

    // EDIT sends EN_CHANGE itself on WM_SETTEXT; the handler must still run exactly once.
    box.SetText("Ellipse");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, "Ellipse");
    box.SetText("Ellipse");
    EXPECT_EQ(changes, 1);

    // The control holds the text up to its first NUL, and that is what is compared.
    box.SetText(std::string("Ellipse\0more", 12));
    EXPECT_EQ(changes, 1);
    box.SetText(std::string("Oval\0", 5));
    EXPECT_EQ(box.Text(), "Oval");
    EXPECT_EQ(changes, 2);
    box.SetText("");
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(changes, 3);
    box.SetText(std::string("\0x", 2));
    EXPECT_EQ(changes, 3);

    // Typing (the EDIT's own EN_CHANGE, not from a setter) raises Change once per edit.
    SendMessageA(box.hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("ab"));
    EXPECT_EQ(box.Text(), "ab");
    EXPECT_EQ(changes, 4);

    // A handler that sets the box again runs nested and once more only.
    int nested = 0;
    box.Change = [&] {
        if (++nested == 1) box.SetText("second");
    };
    box.SetText("first");
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(box.Text(), "second");
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
