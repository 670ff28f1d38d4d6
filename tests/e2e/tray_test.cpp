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

// The icon's menu: "&Restore", "&Pause", "&Save Look...", "&Open Look...", a separator (about half
// an item high), "&Exit". A person clicks the middle of an item's row.
enum class MenuRow { kRestore, kPause, kExit };
bool ChooseFromIconMenu(PelmoraProcess* p, MenuRow row) {
    if (!ClickAt(kTrayIconPoint, 3)) return false;
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = p->PopupMenu()) != nullptr; }, 3000)) return false;
    const RECT r = ScreenRect(menu);
    const double item = (r.bottom - r.top) / 5.5;
    const double middle = row == MenuRow::kRestore ? 0.5 : row == MenuRow::kPause ? 1.5 : 5.0;
    return ClickAt(POINT{(r.left + r.right) / 2, r.top + static_cast<int>(item * middle)}) &&
           WaitUntil([p] { return p->PopupMenu() == nullptr; }, 2000);
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

    ASSERT_TRUE(ChooseFromIconMenu(p, MenuRow::kRestore));
    ASSERT_TRUE(BackInFront(p));

    // With the window shown the menu opens too.
    const HWND main_window = p->Main();
    ASSERT_TRUE(ChooseFromIconMenu(p, MenuRow::kExit));
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

TEST_F(TrayTest, PauseGivesTheShellItsLookBackSendsNothingAndUntickedAppliesTheLookAtOnce) {
    const std::string own_label = WindowText(StartButton());
    WriteSetting("Type", "Ellipse");
    WriteSetting("Text", "Hey");
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Hey" && StartButtonHasRegion(); }, 2500));

    ASSERT_TRUE(ChooseFromIconMenu(p, MenuRow::kPause));
    ASSERT_TRUE(
        WaitUntil([&] { return WindowText(StartButton()) == own_label && !StartButtonHasRegion(); }, 1500));
    // Nothing is sent while paused: another program's label stays, and an edit is stored only.
    SetWindowTextA(StartButton(), "Other");
    WriteSetting("PX1", "0");
    const RECT x_slider = ScreenRect(p->Slider(2));
    const int arrow = x_slider.bottom - x_slider.top;
    ASSERT_TRUE(ClickAt(POINT{x_slider.right - arrow / 2, x_slider.top + arrow / 2}));  // its right arrow
    ASSERT_TRUE(WaitUntil([] { return ReadSetting("PX1") == std::optional<std::string>("1"); }, 2000));
    Pause(1500);
    EXPECT_EQ(WindowText(StartButton()), "Other");
    EXPECT_FALSE(StartButtonHasRegion());
    EXPECT_TRUE(p->Running());

    // Unticked, the whole look is back (at once: tests/unit's Pause test shows it without a clock).
    ASSERT_TRUE(ChooseFromIconMenu(p, MenuRow::kPause));
    EXPECT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Hey" && StartButtonHasRegion(); }, 2500));
    EXPECT_TRUE(WaitUntil([] { return StartButtonPlacement().left == 1; }, 2500))
        << "the edit made while paused";
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
