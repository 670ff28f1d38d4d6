// Pelmora and the shell it restyles: only the shell's own taskbar, the shell's own look given back
// on "/restore", a shell that keeps restarting, a taskbar without a Start button. The stand-in
// shells are processes of their own; run as explorer.exe they are taken for the shell.
#include <string>
#include <vector>

#include "core/look_keeper.h"
#include "e2e/pelmora_process.h"
#include "main_window/main_window.h"
#include "support/window_driver.h"

namespace e2e {
namespace {

using ShellTest = PelmoraTest;

void BroadcastTaskbarCreated() {
    SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

std::optional<BYTE> AlphaOf(HWND taskbar) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(taskbar, nullptr, &alpha, &flags)) return std::nullopt;
    return alpha;
}

TEST_F(ShellTest, AnotherProgramsWindowOfTheTaskbarsClassIsNeverRestyled) {
    StandInShell other;
    ASSERT_TRUE(other.Start("taskbar", false));  // on top, before Pelmora starts
    WriteSetting("Type", "Ellipse");
    WriteSetting("Text", "Go");
    ASSERT_TRUE(Launch("/min"));
    EXPECT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Go" && StartButtonHasRegion(); }, 2500));
    EXPECT_EQ(WindowText(other.Button()), "Start");
    EXPECT_FALSE(test_support::HasRegion(other.Button()));
}

TEST_F(ShellTest, RestoreGivesTheShellItsOwnLookBackAfterAnyRunAndExitUndoesNothing) {
    SetWindowTextA(StartButton(), "Own");
    const RECT own = StartButtonPlacement();
    WriteSetting("Type", "Ellipse");
    WriteSetting("Text", "Go");
    WriteSetting("PX1", "5");
    WriteSetting("CheckMT", "1");
    WriteSetting("HS1", "200");
    auto restyled = [] {
        return WindowText(StartButton()) == "Go" && StartButtonHasRegion() && TaskbarAlpha() == 200;
    };
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitUntil(restyled, 2500));
    // Ended outright and started again, it still knows the shell's own look.
    p->Kill();
    p = Launch("/min");
    ASSERT_TRUE(p);

    EXPECT_EQ(RunToExit("/exit", 10000), 0u);
    EXPECT_TRUE(p->WaitForExit(3000));
    EXPECT_TRUE(restyled()) << "\"/exit\" undoes nothing";

    p = Launch("/min");
    ASSERT_TRUE(p);
    const HWND first_main = p->Main();
    EXPECT_EQ(RunToExit("/restore", 10000), 0u);
    EXPECT_TRUE(p->WaitForExit(3000)) << "the running one is ended first";
    EXPECT_FALSE(TrayIconExists(first_main));
    EXPECT_EQ(WindowText(StartButton()), "Own");
    const RECT place = StartButtonPlacement();
    EXPECT_TRUE(EqualRect(&place, &own));
    EXPECT_FALSE(StartButtonHasRegion());
    EXPECT_FALSE(TaskbarExStyle() & WS_EX_LAYERED);
    EXPECT_EQ(ReadSetting("Text"), "Go") << "the stored settings stay";

    EXPECT_EQ(RunToExit("/restore", 10000), 0u) << "nothing left to give back";
    EXPECT_EQ(WindowText(StartButton()), "Own");
}

TEST_F(ShellTest, AShellRestartingTwiceInHalfAMinuteStopsTheRestylingUntilASecondStartOrTheLabelAction) {
    WriteSetting("Text", "Go");
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Go"; }, 2500));
    // The same shell announcing its taskbar again is no restart.
    BroadcastTaskbarCreated();
    BroadcastTaskbarCreated();

    StandInShell first;
    ASSERT_TRUE(first.Start("taskbar --announce", true));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(first.Button()) == "Go"; }, 2500))
        << "one restart: restyled";
    StandInShell second;  // whose notification area, still busy, refuses our icon at first
    ASSERT_TRUE(second.Start("taskbar --announce --refuse 2000", true));
    ASSERT_TRUE(WaitUntil([&] { return !second.Balloons().empty(); }, 4500));
    EXPECT_EQ(second.Balloons(), std::vector<std::string>{core::kRestartingShellNotice});
    Pause(1500);
    EXPECT_EQ(WindowText(second.Button()), "Start") << "a second restart within 30 s stops the restyling";
    EXPECT_TRUE(p->Running());

    EXPECT_EQ(RunToExit("/min", 10000), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(second.Button()) == "Go"; }, 2500))
        << "a second start resumes";

    StandInShell third, fourth;
    ASSERT_TRUE(third.Start("taskbar --announce", true));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(third.Button()) == "Go"; }, 2500)) << "counted afresh";
    ASSERT_TRUE(fourth.Start("taskbar --announce", true));
    ASSERT_TRUE(WaitUntil([&] { return !fourth.Balloons().empty(); }, 2500));
    ASSERT_TRUE(ClickAt(p->ApplyLabelPicture()));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(fourth.Button()) == "Go"; }, 2500))
        << "the label action resumes";

    // The guard's stop is the icon menu's Pause, ticked: choosing it unticks it.
    StandInShell fifth, sixth;
    ASSERT_TRUE(fifth.Start("taskbar --announce", true));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(fifth.Button()) == "Go"; }, 2500));
    ASSERT_TRUE(sixth.Start("taskbar --announce", true));
    ASSERT_TRUE(WaitUntil([&] { return !sixth.Balloons().empty(); }, 2500));
    PostMessageA(p->Main(), WM_COMMAND, MAKEWPARAM(main_window::kMenuPause, 0), 0);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(sixth.Button()) == "Go"; }, 2500)) << "Pause unticked";
}

TEST_F(ShellTest, ATaskbarWithoutAStartButtonIsSaidOnceThroughATrayRefusingAtFirstAndStillMadeTranslucent) {
    StandInShell shell;  // refusing every icon at first, as at logon
    ASSERT_TRUE(shell.Start("taskbar --no-button --refuse 2000", true));
    WriteSetting("CheckMT", "1");
    WriteSetting("HS1", "200");
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitUntil([&] { return !shell.Balloons().empty(); }, 4500));
    EXPECT_TRUE(TrayIconExists(p->Main())) << "a hidden window has its icon";
    EXPECT_EQ(shell.Balloons(), std::vector<std::string>{core::kNoStartButtonNotice});
    EXPECT_TRUE(WaitUntil([&] { return AlphaOf(shell.Taskbar()) == 200; }, 2500));
    BroadcastTaskbarCreated();
    Pause(1500);
    EXPECT_EQ(shell.Balloons().size(), 1u) << "once per start";
}

}  // namespace
}  // namespace e2e
