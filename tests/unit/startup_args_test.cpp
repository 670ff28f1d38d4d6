#include "app/startup_args.h"

#include <gtest/gtest.h>

#include "app/tray.h"

namespace {

TEST(StartupArgs, MinOnlyWhenExactAfterTrimmingSpaces) {
    EXPECT_TRUE(app::IsMinimizedStart("/min"));
    EXPECT_TRUE(app::IsMinimizedStart("   /min  "));
    EXPECT_FALSE(app::IsMinimizedStart("/MIN"));
    EXPECT_FALSE(app::IsMinimizedStart("/min extra"));
    EXPECT_FALSE(app::IsMinimizedStart("\t/min"));  // spaces only are trimmed
    EXPECT_FALSE(app::IsMinimizedStart(""));
}

TEST(StartupArgs, ArgumentsFollowTheProgramName) {
    EXPECT_EQ(app::ArgumentsOf("\"C:\\Program Files\\P\\Pelmora.exe\" /min"), "/min");
    EXPECT_EQ(app::ArgumentsOf("\"C:\\Program Files\\P\\Pelmora.exe\"/min"), "/min");
    EXPECT_EQ(app::ArgumentsOf("Pelmora.exe \t /min "), "/min ");
    EXPECT_EQ(app::ArgumentsOf("Pelmora.exe"), "");
}

TEST(StartupArgs, AutostartCommandIsQuotedFullPath) {
    EXPECT_EQ(app::AutostartCommand("C:\\Program Files\\Pelmora\\Pelmora.exe"),
              "\"C:\\Program Files\\Pelmora\\Pelmora.exe\" /min");
    EXPECT_EQ(app::AutostartCommand("C:\\Pelmora.exe"), "\"C:\\Pelmora.exe\" /min");
}

TEST(Tray, DecodesLeftReleaseDoubleClickAndRightRelease) {
    EXPECT_EQ(app::DecodeTrayMessage(WM_LBUTTONUP), app::TrayAction::kRestore);
    EXPECT_EQ(app::DecodeTrayMessage(WM_LBUTTONDBLCLK), app::TrayAction::kRestore);
    EXPECT_EQ(app::DecodeTrayMessage(WM_RBUTTONUP), app::TrayAction::kShowMenu);
    for (UINT other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONUP})
        EXPECT_EQ(app::DecodeTrayMessage(other), app::TrayAction::kNone) << other;
}

TEST(Tray, RecordHasFirstFormSizeAndSpacePaddedTip) {
    NOTIFYICONDATAA r = app::MakeTrayIconRecord(reinterpret_cast<HWND>(0x1234), nullptr);
    EXPECT_EQ(r.cbSize, NOTIFYICONDATAA_V1_SIZE);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(r.cbSize, 88u);
    }
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, app::kTrayCallbackMessage);
    EXPECT_STREQ(r.szTip, "Pelmora");
    for (int i = 8; i < 64; ++i) EXPECT_EQ(r.szTip[i], ' ') << i;
}

}  // namespace
