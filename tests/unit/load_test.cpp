// Loading the stored look into the main window, with the real registry and the test desktop's
// taskbar: what a first start shows and stores, and how stored values reach the controls, the Run
// value and the Start button. Which stored values are edits is the core's decision
// (tests/core/look_edit_test.cpp).
#include <gtest/gtest.h>

#include <string>

#include "main_window/main_window.h"
#include "shell/tray_icon.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"

namespace {

using settings::Value;

bool RunValueExists() {
    return !registry::RegistryReadValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName)
                .IsEmpty();
}

using main_window::ControlId;

class StoredLookLoad : public ::testing::Test {
  protected:
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
};

TEST_F(StoredLookLoad, FirstStartShowsTheStartValuesAndStoresNothing) {
    ASSERT_FALSE(test_support::KeyExists(registry::kSettingsKey));
    SetWindowTextA(restore.button(), "Start here");
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    const test_support::Driver shown = form.driver();

    EXPECT_TRUE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_EQ(shown.Position(ControlId::kTransparencySlider), 255);
    EXPECT_EQ(shown.Position(ControlId::kXSlider), 0);
    EXPECT_EQ(shown.Position(ControlId::kWidthSlider), 100);
    EXPECT_EQ(shown.Position(ControlId::kYSlider), 0);
    EXPECT_EQ(shown.Position(ControlId::kHeightSlider), 32);
    EXPECT_EQ(shown.Checked(ControlId::kMakeOpaqueBox), 0);
    EXPECT_EQ(shown.Checked(ControlId::kStartupBox), 0);
    EXPECT_FALSE(shown.Visible(ControlId::kTransparencySlider));
    EXPECT_EQ(shown.Text(ControlId::kNewLabelBox), "");  // "start" replaced by the empty stored label
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    // The current-label box shows the Start button's own label.
    EXPECT_EQ(shown.Text(ControlId::kCurrentLabelBox), "Start here");

    // Nothing differed from the window's start values, so nothing was stored.
    EXPECT_EQ(test_support::ValueNames(registry::kSettingsKey), "");
    EXPECT_FALSE(RunValueExists());
    // The X sliders' reach is measured without the customize window, made only when opened.
    EXPECT_EQ(test_support::FindOwnWindow(customize_window::kCustomizeWindowClass), nullptr);
}

TEST_F(StoredLookLoad, StoredValuesReachTheControlsTheRunValueAndTheStartButton) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(names::kLabel, Value::Text("Hello"));
    registry::WriteSetting(names::kAlpha, Value::Text("120"));
    registry::WriteSetting(names::kWidth, Value::Text("90"));
    registry::WriteSetting(names::kY, Value::Text("7"));
    registry::WriteSetting(names::kHeight, Value::Text("18"));
    registry::WriteSetting(names::kAutostart, Value::Text("1"));
    registry::WriteSetting(names::kMakeOpaque, Value::Text("1"));
    registry::WriteSetting(names::kShapeType, Value::Text("Rectangle"));
    SetWindowTextA(restore.button(), "Start");

    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    const test_support::Driver shown = form.driver();
    EXPECT_EQ(shown.Text(ControlId::kNewLabelBox), "Hello");
    EXPECT_EQ(shown.Text(ControlId::kCurrentLabelBox), "Start");  // the button's label, never the stored one
    EXPECT_EQ(shown.Position(ControlId::kTransparencySlider), 120);
    EXPECT_EQ(shown.Position(ControlId::kWidthSlider), 90);
    EXPECT_EQ(shown.Position(ControlId::kYSlider), 7);
    EXPECT_EQ(shown.Position(ControlId::kHeightSlider), 18);
    EXPECT_EQ(shown.Checked(ControlId::kMakeOpaqueBox), 1);
    EXPECT_TRUE(shown.Visible(ControlId::kTransparencySlider));
    EXPECT_EQ(shown.Checked(ControlId::kStartupBox), 1);
    // "Startup" ticked at the load writes the Run value with the running program's path.
    const std::string run = settings::StripTerminator(
        registry::RegistryReadValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName).RawText());
    ASSERT_GT(run.size(), 7u);
    EXPECT_EQ(run.front(), '"');
    EXPECT_EQ(run.substr(run.size() - 6), "\" /min");

    // The stored outline is on the Start button: the width slider's width, the button's height.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(restore.button(), rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 89, 1));
    EXPECT_FALSE(PtInRegion(rgn, 91, 1));
    DeleteObject(rgn);
    EXPECT_TRUE(
        form.OpenCustomize().Pressed(customize_window::kShapeToolbar, customize_window::kRectangleCommand));

    // The label action loads again: values that are no numbers, or out of range for a 16-bit
    // integer, leave the sliders where the last load put them.
    registry::WriteSetting(names::kAlpha, Value::Text("junk"));
    registry::WriteSetting(names::kWidth, Value::Text("70000"));
    registry::WriteSetting(names::kHeight, Value::Text("1e9"));
    form.ApplyLabel();
    EXPECT_EQ(shown.Position(ControlId::kTransparencySlider), 120);
    EXPECT_EQ(shown.Position(ControlId::kWidthSlider), 90);
    EXPECT_EQ(shown.Position(ControlId::kHeightSlider), 18);
}

// Started with "/min": only the icon's own message brings the window back, never a pointer move
// over the window, whatever its coordinates (at 200 % the window is wider than 517 pixels).
TEST_F(StoredLookLoad, OnlyTheIconsMessageRestoresAWindowStartedHidden) {
    HICON class_icon = nullptr;
    {
        test_support::RunningMainWindow form("/min");
        ASSERT_TRUE(form.created());
        ASSERT_FALSE(IsWindowVisible(form->hwnd()));
        for (int x : {WM_LBUTTONUP, WM_LBUTTONDBLCLK})
            SendMessageA(form->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 10));
        EXPECT_FALSE(IsWindowVisible(form->hwnd()));
        SendMessageA(form->hwnd(), core::kTrayCallbackMessage, 1, WM_LBUTTONUP);
        EXPECT_TRUE(IsWindowVisible(form->hwnd()));
        class_icon = reinterpret_cast<HICON>(GetClassLongPtrA(form->hwnd(), GCLP_HICON));
    }
    // The window class keeps an icon that outlives every main window.
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(class_icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

}  // namespace
