// Start-up of the real program: what a first start shows and stores, and "/min".
#include "e2e/pelmora_process.h"

namespace e2e {
namespace {

using StartupTest = PelmoraTest;

TEST_F(StartupTest, FirstStartShowsWindowStoresOnlyTheLoadedAlphaAndAddsIcon) {
    SetWindowTextA(StartButton(), "Go");
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);

    EXPECT_TRUE(p->Shown());
    EXPECT_EQ(WindowText(p->CurrentLabelBox()), "Go");  // the button's own label, not a stored one
    EXPECT_EQ(WindowText(p->NewLabelBox()), "");        // "start" is replaced by the empty stored label
    EXPECT_FALSE(p->Checked("Make Opaque"));
    EXPECT_FALSE(p->Checked("Startup"));
    EXPECT_FALSE(IsWindowVisible(p->Slider(1)));
    EXPECT_EQ(p->SliderPos(1), 255);
    EXPECT_EQ(p->SliderPos(2), 0);
    EXPECT_EQ(p->SliderPos(3), 100);
    EXPECT_EQ(p->SliderPos(4), 0);
    EXPECT_EQ(p->SliderPos(5), 32);

    // The key exists and holds nothing: no slider moved, so no handler stored anything.
    for (const char* name : {"Text", "HS1", "PX1", "PX2", "PY1", "PY2", "Check", "CheckMT", "Type"})
        EXPECT_FALSE(ReadSetting(name)) << name;
    EXPECT_FALSE(ReadRunValue());
    EXPECT_FALSE(TaskbarAlpha());

    // The first tick puts the empty label and the slider placement on the Start button.
    EXPECT_TRUE(WaitUntil([] { return WindowText(StartButton()).empty(); }, 2000));
    EXPECT_TRUE(WaitUntil(
        [] {
            const RECT r = StartButtonPlacement();
            return r.left == 0 && r.top == 0 && r.right == 100 && r.bottom == 32;
        },
        2000));

    // The icon is there: a right click on it opens the program's menu.
    ASSERT_TRUE(ClickAt(kTrayIconPoint, 3));
    EXPECT_TRUE(WaitUntil([p] { return p->PopupMenu() != nullptr; }, 3000));
    PressKeys("Escape");
    EXPECT_TRUE(WaitUntil([p] { return p->PopupMenu() == nullptr; }, 3000));
    EXPECT_TRUE(p->Running());
}

TEST_F(StartupTest, OnlyTheExactMinArgumentStartsHidden) {
    struct Case {
        const char* arguments;
        bool hidden;
    };
    for (const Case& c :
         {Case{"/min", true}, Case{"  /min  ", true}, Case{"/MIN", false}, Case{"/min x", false}}) {
        PelmoraProcess* p = Launch(c.arguments);
        ASSERT_TRUE(p) << c.arguments;
        Pause(200);
        EXPECT_EQ(p->Shown(), !c.hidden) << "arguments \"" << c.arguments << "\"";
        EXPECT_TRUE(TrayIconExists(p->Main())) << c.arguments;
        p->Kill();
    }
}

TEST_F(StartupTest, LabelActionAfterMinStartLeavesTheWindowShown) {
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_FALSE(p->Shown());
    ASSERT_TRUE(ClickAt(kTrayIconPoint));
    ASSERT_TRUE(WaitUntil([p] { return p->Shown(); }, 3000));

    SendMessageA(p->NewLabelBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Neu"));
    ASSERT_TRUE(ClickAt(p->ApplyLabelPicture()));
    ASSERT_TRUE(WaitUntil([] { return ReadSetting("Text") == std::optional<std::string>("Neu"); }, 3000));
    // The reload that follows the label action must not take "/min" as an order again.
    Pause(300);
    EXPECT_TRUE(p->Shown());
    EXPECT_EQ(WindowText(p->NewLabelBox()), "Neu");
}

}  // namespace
}  // namespace e2e
