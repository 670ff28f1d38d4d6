#include "look/command_line.h"

#include <gtest/gtest.h>

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
