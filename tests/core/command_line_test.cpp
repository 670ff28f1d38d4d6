#include "look/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "shell/lower_integrity.h"
#include "shell/tray_icon.h"

namespace {

TEST(StartupArgs, MinOnlyWhenExactAfterTrimmingSpaces) {
    EXPECT_TRUE(core::IsMinimizedStart("/min"));
    EXPECT_TRUE(core::IsMinimizedStart("   /min  "));
    EXPECT_FALSE(core::IsMinimizedStart("/MIN"));
    EXPECT_FALSE(core::IsMinimizedStart("/min extra"));
    EXPECT_FALSE(core::IsMinimizedStart("\t/min"));  // spaces only are trimmed
    EXPECT_FALSE(core::IsMinimizedStart(""));
    EXPECT_EQ(core::SwitchOf(" /restore "), core::Switch::kRestore);
    EXPECT_EQ(core::SwitchOf("/exit"), core::Switch::kExit);
    EXPECT_EQ(core::SwitchOf("/Exit"), core::Switch::kNone);  // anything else starts shown
    EXPECT_EQ(core::SwitchOf("/restore /min"), core::Switch::kNone);
    // A look file's switches take the rest as the file, quoted or not.
    EXPECT_EQ(core::SwitchOf(" /export  \"C:\\My looks\\a.txt\" "), core::Switch::kExport);
    EXPECT_EQ(core::SwitchFile(" /export  \"C:\\My looks\\a.txt\" "), "C:\\My looks\\a.txt");
    EXPECT_EQ(core::SwitchFile("/import C:\\My looks\\a b.txt"), "C:\\My looks\\a b.txt");
    EXPECT_EQ(core::SwitchOf("/import"), core::Switch::kImport);
    EXPECT_EQ(core::SwitchFile("/import"), "");  // refused later: no file named
    EXPECT_EQ(core::SwitchOf("/importer x"), core::Switch::kNone);
}

TEST(StartupArgs, ArgumentsFollowTheProgramName) {
    EXPECT_EQ(core::ArgumentsOf("\"C:\\Program Files\\P\\Pelmora.exe\" /min"), "/min");
    EXPECT_EQ(core::ArgumentsOf("\"C:\\Program Files\\P\\Pelmora.exe\"/min"), "/min");
    EXPECT_EQ(core::ArgumentsOf("Pelmora.exe \t /min "), "/min ");
    EXPECT_EQ(core::ArgumentsOf("Pelmora.exe"), "");
}

TEST(StartupArgs, AutostartCommandIsQuotedFullPath) {
    EXPECT_EQ(core::AutostartCommand("C:\\Program Files\\Pelmora\\Pelmora.exe"),
              "\"C:\\Program Files\\Pelmora\\Pelmora.exe\" /min");
    EXPECT_EQ(core::AutostartCommand("C:\\Pelmora.exe"), "\"C:\\Pelmora.exe\" /min");
}

// A Pelmora that has made its session mutex and not yet its window is running: "/exit" waits for
// its window, within its limit, and never reports success while it goes on.
TEST(StartupArgs, ExitSucceedsOnlyOnceNoPelmoraRunsNotEvenOneStillStarting) {
    using core::EndStep;
    auto step = [](bool window, bool claimed, bool time_left, bool refused = false) {
        return core::NextEndStep(core::EndSight{window, claimed, time_left, refused});
    };
    EXPECT_EQ(step(false, false, false), EndStep::kSucceed);
    EXPECT_EQ(step(false, true, true), EndStep::kWaitForWindow) << "one still starting";
    EXPECT_EQ(step(false, true, false), EndStep::kFail) << "it made no window within the limit";
    EXPECT_EQ(step(true, true, true), EndStep::kEndWindow);
    EXPECT_EQ(step(true, false, false), EndStep::kFail) << "it did not end within the limit";
    EXPECT_EQ(step(true, true, true, true), EndStep::kFail) << "a refused Exit fails at once";
}

// Run as administrator, Pelmora hears the shell and a later start through exactly these; WM_COMMAND
// would let a lower process name a window whose property the forms call as a control.
TEST(Tray, AnElevatedPelmoraLetsThroughTheShellsAndALaterStartsMessagesOnly) {
    const UINT taskbar_created = 0xC123;
    std::vector<UINT> heard = core::MessagesFromLowerIntegrity(taskbar_created);
    std::sort(heard.begin(), heard.end());
    std::vector<UINT> expected{core::kTrayCallbackMessage, core::kHandOverMessage, core::kExitMessage,
                               WM_COPYDATA, taskbar_created};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(core::MessagesFromLowerIntegrity(0).size(), 4u)
        << "a TaskbarCreated not registered (0) is left out";
}

TEST(Tray, DecodesLeftReleaseDoubleClickAndRightRelease) {
    EXPECT_EQ(core::DecodeTrayMessage(WM_LBUTTONUP), core::TrayAction::kRestore);
    EXPECT_EQ(core::DecodeTrayMessage(WM_LBUTTONDBLCLK), core::TrayAction::kRestore);
    EXPECT_EQ(core::DecodeTrayMessage(WM_RBUTTONUP), core::TrayAction::kShowMenu);
    for (UINT other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONUP})
        EXPECT_EQ(core::DecodeTrayMessage(other), core::TrayAction::kNone) << other;
}

TEST(Tray, RecordHasFirstFormSizeAndSpacePaddedTip) {
    NOTIFYICONDATAW r = core::MakeTrayIconRecord(reinterpret_cast<HWND>(0x1234), nullptr);
    EXPECT_EQ(r.cbSize, NOTIFYICONDATAW_V1_SIZE);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(r.cbSize, 152u);
    }
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, core::kTrayCallbackMessage);
    EXPECT_STREQ(r.szTip, L"Pelmora");
    for (int i = 8; i < 64; ++i) EXPECT_EQ(r.szTip[i], L' ') << i;
}

}  // namespace
