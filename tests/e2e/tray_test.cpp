// The notification-area icon and the main window's hide-instead-of-close lifecycle, driven with
// real mouse clicks and keys.
#include "e2e/pelmora_process.h"

namespace e2e {
namespace {

using TrayTest = PelmoraTest;

bool HiddenButAlive(PelmoraProcess* p) {
    return WaitUntil([p] { return !p->Shown(); }, 3000) && p->Running() && TrayIconExists(p->Main());
}

bool BackInFront(PelmoraProcess* p) {
    return WaitUntil([p] { return p->Shown() && p->Foreground(); }, 3000);
}

TEST_F(TrayTest, EveryWayOfClosingHidesAndTheIconBringsTheWindowBack) {
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    ASSERT_TRUE(p->Shown());

    PostMessageA(p->Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(HiddenButAlive(p)) << "WM_CLOSE";
    ASSERT_TRUE(ClickAt(kTrayIconPoint));
    ASSERT_TRUE(BackInFront(p)) << "left click on the icon";

    ASSERT_TRUE(ClickAt(p->CloseBoxPoint()));
    ASSERT_TRUE(HiddenButAlive(p)) << "close box";
    ASSERT_TRUE(ClickAt(kTrayIconPoint, 1, 2));
    ASSERT_TRUE(BackInFront(p)) << "double click on the icon";
    // The double click's release and double-click messages both restore: still one window.
    Pause(300);
    EXPECT_TRUE(p->Shown());

    // Keys go to the window that has the keyboard; a person clicks into it first.
    ASSERT_TRUE(ClickAt(CenterOf(ScreenRect(p->NewLabelBox()))));
    ASSERT_TRUE(PressKeys("alt+F4"));
    ASSERT_TRUE(HiddenButAlive(p)) << "Alt+F4";
    ASSERT_TRUE(ClickAt(kTrayIconPoint));
    ASSERT_TRUE(BackInFront(p));

    PostMessageA(p->Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(HiddenButAlive(p)) << "minimise";
    EXPECT_FALSE(IsIconic(p->Main()) && IsWindowVisible(p->Main()));
    ASSERT_TRUE(ClickAt(kTrayIconPoint));
    ASSERT_TRUE(BackInFront(p)) << "left click after minimise";
    EXPECT_FALSE(IsIconic(p->Main()));
}

TEST_F(TrayTest, MenuRestoresAndExitEndsTheProgramLeavingTheButtonAsItIs) {
    WriteSetting("Type", "Ellipse");
    WriteSetting("Text", "Hey");
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_FALSE(p->Shown());
    ASSERT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Hey"; }, 2500));
    ASSERT_TRUE(StartButtonHasRegion());

    // Two items, "&Restore" above "&Exit".
    ASSERT_TRUE(ClickAt(kTrayIconPoint, 3));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = p->PopupMenu()) != nullptr; }, 3000));
    EXPECT_FALSE(p->Shown());  // the menu alone shows nothing
    RECT r = ScreenRect(menu);
    ASSERT_TRUE(ClickAt(POINT{(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4}));
    ASSERT_TRUE(BackInFront(p));
    EXPECT_TRUE(WaitUntil([p] { return p->PopupMenu() == nullptr; }, 2000));

    // With the window shown the menu opens too.
    ASSERT_TRUE(ClickAt(kTrayIconPoint, 3));
    ASSERT_TRUE(WaitUntil([&] { return (menu = p->PopupMenu()) != nullptr; }, 3000));
    const HWND main_window = p->Main();
    r = ScreenRect(menu);
    ASSERT_TRUE(ClickAt(POINT{(r.left + r.right) / 2, r.top + (r.bottom - r.top) * 3 / 4}));
    ASSERT_TRUE(p->WaitForExit(5000));
    DWORD code = 1;
    GetExitCodeProcess(p->Process(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(TrayIconExists(main_window));

    // Nothing is undone: outline and label stay. (Wine's shell lays its Start button out anew when
    // an icon goes, so the placement is the shell's after this.)
    Pause(1200);
    EXPECT_TRUE(StartButtonHasRegion());
    EXPECT_EQ(WindowText(StartButton()), "Hey");
}

TEST_F(TrayTest, MenuClosesWhenTheUserClicksElsewhere) {
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_TRUE(ClickAt(kTrayIconPoint, 3));
    ASSERT_TRUE(WaitUntil([p] { return p->PopupMenu() != nullptr; }, 3000));
    ASSERT_TRUE(ClickAt(POINT{400, 300}));
    EXPECT_TRUE(WaitUntil([p] { return p->PopupMenu() == nullptr; }, 3000));
    EXPECT_FALSE(p->Shown());
    EXPECT_TRUE(p->Running());
}

}  // namespace
}  // namespace e2e
