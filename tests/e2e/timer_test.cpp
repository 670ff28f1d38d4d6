// What the program does on its own: the once-a-second re-application of the Start button's look,
// and the return of its icon when the shell announces a new taskbar.
#include "e2e/pelmora_process.h"

namespace e2e {
namespace {

using ReapplyTest = PelmoraTest;

bool LookIsApplied() {
    const RECT r = StartButtonPlacement();
    return r.left == 5 && r.top == 1 && r.right - r.left == 80 && r.bottom - r.top == 18 &&
           WindowText(StartButton()) == "Tick" && StartButtonRegionContains(40, 9) &&
           !StartButtonRegionContains(1, 1);
}

TEST_F(ReapplyTest, TimerPutsBackPlacementLabelAndOutlineChangedByOthers) {
    WriteSetting("Type", "Ellipse");
    WriteSetting("Text", "Tick");
    WriteSetting("PX1", "5");
    WriteSetting("PX2", "80");
    WriteSetting("PY1", "1");
    WriteSetting("PY2", "18");
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitUntil(LookIsApplied, 2500));
    DeleteSetting("HS1");  // stored by the load; the timer must not store it again

    for (int round = 0; round < 2; ++round) {
        HWND button = StartButton();
        SetWindowPos(button, nullptr, 30, 0, 40, 10, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowTextA(button, "x");
        SetWindowRgn(button, nullptr, TRUE);
        ASSERT_FALSE(StartButtonHasRegion());
        ASSERT_EQ(WindowText(button), "x");
        const ULONGLONG changed = GetTickCount64();
        EXPECT_TRUE(WaitUntil(LookIsApplied, 1500)) << "round " << round;
        EXPECT_LT(GetTickCount64() - changed, 1500u);
    }
    // Ticks with "Make Opaque" off store no alpha and leave the taskbar alone.
    EXPECT_FALSE(ReadSetting("HS1"));
    EXPECT_FALSE(TaskbarAlpha());
}

TEST_F(ReapplyTest, IconComesBackWhenTheShellAnnouncesANewTaskbar) {
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_TRUE(DeleteTrayIcon(p->Main()));  // as a restarted shell would have lost it

    // No icon, no way back.
    ASSERT_TRUE(ClickAt(kTrayIconPoint));
    Pause(500);
    ASSERT_FALSE(p->Shown());

    SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(WaitUntil([p] { return TrayIconExists(p->Main()); }, 3000));
    ASSERT_TRUE(ClickAt(kTrayIconPoint));
    EXPECT_TRUE(WaitUntil([p] { return p->Shown(); }, 3000));

    // A second announcement leaves one icon, not two: deleting it once leaves none.
    SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Pause(300);
    EXPECT_TRUE(DeleteTrayIcon(p->Main()));
    EXPECT_FALSE(TrayIconExists(p->Main()));
}

}  // namespace
}  // namespace e2e
