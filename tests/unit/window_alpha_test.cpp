// Taskbar translucency: the layered bit is added to the window's extended styles, never replacing
// them, and the routine's result tells applied, refused and unavailable apart.
#include <gtest/gtest.h>

#include "shell/taskbar_alpha.h"

namespace {

class LayeredTarget : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "alpha target", WS_POPUP, 0, 0,
                                  50, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    BYTE Alpha() const {
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(window_, &key, &alpha, &flags));
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
        return alpha;
    }
    HWND window_ = nullptr;
};

TEST_F(LayeredTarget, AppliesAlphaAndKeepsTheOtherExtendedStyles) {
    EXPECT_EQ(core::SetWindowAlpha(window_, 128), core::kAlphaApplied);
    const LONG ex = GetWindowLongA(window_, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_EQ(Alpha(), 128);

    EXPECT_EQ(core::SetWindowAlpha(window_, 0), core::kAlphaApplied);
    EXPECT_EQ(Alpha(), 0);
    EXPECT_EQ(core::SetWindowAlpha(window_, 255), core::kAlphaApplied);
    EXPECT_EQ(Alpha(), 255);
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_LAYERED) << "opaque is alpha 255, still layered";
}

TEST_F(LayeredTarget, RefusesAlphaOutsideTheByteAndLeavesTheWindowAlone) {
    for (int16_t bad : {int16_t(-1), int16_t(256), int16_t(-32768), int16_t(32767)}) {
        EXPECT_EQ(core::SetWindowAlpha(window_, bad), core::kAlphaOutOfRange) << bad;
    }
    EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(LayeredTarget, ReportsASystemWithoutLayeredWindows) {
    EXPECT_EQ(core::SetWindowAlphaWith(window_, 100, nullptr), core::kAlphaCallFailed);
    EXPECT_EQ(core::SetWindowAlphaWith(window_, 300, nullptr), core::kAlphaOutOfRange);
}

LRESULT CALLBACK RefusesLayering(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_EXSTYLE))
        reinterpret_cast<STYLESTRUCT*>(lp)->styleNew &= ~WS_EX_LAYERED;
    return DefWindowProcW(window, msg, wp, lp);
}

TEST_F(LayeredTarget, ReportsAWindowThatRefusesTheLayeredStyle) {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusesLayering));
    EXPECT_EQ(core::SetWindowAlpha(window_, 100), core::kAlphaCallFailed);
}

TEST(WindowAlpha, NullWindowIsNoError) { EXPECT_EQ(core::SetWindowAlpha(nullptr, 10), core::kAlphaApplied); }

}  // namespace
