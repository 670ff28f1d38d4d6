// The main window's load routine with the real registry and the test desktop's taskbar: what a
// first start shows and stores, and how stored values reach the controls.
#include <gtest/gtest.h>

#include <string>

#include "main_window/main_window.h"
#include "core/tray_icon.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"

namespace {

using settings::Value;

std::string Stored(const char* name) { return registry::ReadSetting(name).RawText(); }

bool RunValueExists() {
    return !registry::RegistryReadValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName)
                .IsEmpty();
}

class FormLoad : public ::testing::Test {
  protected:
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
};

TEST_F(FormLoad, FirstStartWithoutSettings) {
    ASSERT_FALSE(test_support::KeyExists(registry::kSettingsKey));
    SetWindowTextA(restore.button(), "Start here");
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());

    EXPECT_TRUE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_EQ(form->transparency_slider.Value(), 255);
    EXPECT_EQ(form->x_slider.Value(), 0);
    EXPECT_EQ(form->width_slider.Value(), 100);
    EXPECT_EQ(form->y_slider.Value(), 0);
    EXPECT_EQ(form->height_slider.Value(), 32);
    EXPECT_EQ(form->make_opaque_box.Value(), 0);
    EXPECT_EQ(form->startup_box.Value(), 0);
    EXPECT_FALSE(form->transparency_slider.Visible());
    EXPECT_EQ(form->new_label_box.Text(), "");  // "start" replaced by the empty stored label
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));

    // No handler ran, so nothing was stored; the alpha slider kept its 255.
    EXPECT_EQ(test_support::ValueNames(registry::kSettingsKey), "");
    EXPECT_FALSE(RunValueExists());

    // The current-label box shows the Start button's own label.
    ASSERT_NE(form->StartButton(), nullptr);
    EXPECT_EQ(form->StartButton(), restore.button());
    EXPECT_EQ(form->current_label_box.Text(), "Start here");
    EXPECT_EQ(form->Taskbar(), FindWindowA("Shell_TrayWnd", nullptr));

    // The X sliders reach as far as the customize window's client is wide at the screen's width.
    EXPECT_EQ(form->x_slider.Max(), form->width_slider.Max());
    EXPECT_GT(form->x_slider.Max(), GetSystemMetrics(SM_CXSCREEN) - 40);
    EXPECT_LE(form->x_slider.Max(), GetSystemMetrics(SM_CXSCREEN) + 10);
    EXPECT_EQ(form->y_slider.Max(), 100);
    // ... without the customize window, which is made only when the user opens it.
    EXPECT_EQ(form->CustomizeIfMade(), nullptr);
}

TEST_F(FormLoad, StoredValuesReachTheControls) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(names::kLabel, Value::Text("Hello"));
    registry::WriteSetting(names::kAlpha, Value::Text("300"));  // above the alpha range: refused
    registry::WriteSetting(names::kX, Value::Text("2100"));     // above the initial X maximum: refused
    registry::WriteSetting(names::kWidth, Value::Text("0"));    // 0 keeps the initial width
    registry::WriteSetting(names::kY, Value::Text("7"));
    registry::WriteSetting(names::kHeight, Value::Text("18"));
    registry::WriteSetting(names::kAutostart, Value::Text("1"));
    registry::WriteSetting(names::kMakeOpaque, Value::Text("1"));
    registry::WriteSetting(names::kShapeType, Value::Text("Rectangle"));
    SetWindowTextA(restore.button(), "Start");

    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    EXPECT_EQ(form->new_label_box.Text(), "Hello");
    EXPECT_EQ(form->current_label_box.Text(), "Start");  // the button's label, never the stored one
    EXPECT_EQ(form->transparency_slider.Value(), 255);
    EXPECT_EQ(form->x_slider.Value(), 0);
    EXPECT_EQ(form->width_slider.Value(), 100);
    EXPECT_EQ(form->y_slider.Value(), 7);
    EXPECT_EQ(form->height_slider.Value(), 18);
    EXPECT_EQ(form->make_opaque_box.Value(), 1);
    EXPECT_TRUE(form->transparency_slider.Visible());
    EXPECT_EQ(form->startup_box.Value(), 1);

    // Refused values were not rewritten; the handlers that ran stored their values back.
    EXPECT_EQ(Stored(names::kAlpha), std::string("300\0", 4));
    EXPECT_EQ(Stored(names::kX), std::string("2100\0", 5));
    EXPECT_EQ(Stored(names::kWidth), std::string("0\0", 2));
    EXPECT_EQ(Stored(names::kY), std::string("7\0", 2));
    EXPECT_EQ(Stored(names::kAutostart), std::string("1\0", 2));
    const std::string run = settings::StripTerminator(
        registry::RegistryReadValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName).RawText());
    ASSERT_GT(run.size(), 7u);
    EXPECT_EQ(run.front(), '"');
    EXPECT_EQ(run.substr(run.size() - 6), "\" /min");

    // The stored outline is on the Start button: the width slider's width, the button's height.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(restore.button(), rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 99, 1));
    EXPECT_FALSE(PtInRegion(rgn, 101, 1));
    DeleteObject(rgn);
    form->OnCustomizeClicked();
    EXPECT_EQ(form->Customize().shape_toolbar.ButtonValue(customize_window::kRectangleCommand), 1);
}

TEST_F(FormLoad, ValuesThatDoNotConvertLeaveTheControls) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(names::kAlpha, Value::Text("120"));
    registry::WriteSetting(names::kWidth, Value::Text("90"));
    registry::WriteSetting(names::kHeight, Value::Text("40"));
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    EXPECT_EQ(form->transparency_slider.Value(), 120);
    EXPECT_EQ(form->width_slider.Value(), 90);
    EXPECT_EQ(form->height_slider.Value(), 40);

    // A later load (as after a label change) with values that are no numbers, or out of range for
    // a 16-bit integer: the copies keep their values and the sliders stay.
    registry::WriteSetting(names::kAlpha, Value::Text("junk"));
    registry::WriteSetting(names::kWidth, Value::Text("70000"));
    registry::WriteSetting(names::kHeight, Value::Text("1e9"));
    registry::WriteSetting(names::kAutostart, Value::Text("yes"));
    form->Load();
    EXPECT_EQ(form->transparency_slider.Value(), 120);
    EXPECT_EQ(form->width_slider.Value(), 90);
    EXPECT_EQ(form->height_slider.Value(), 40);
    EXPECT_EQ(form->startup_box.Value(), 0);
    EXPECT_FALSE(RunValueExists());
}

// Started with "/min": only the icon's own message brings the window back, never a pointer move
// over the window, whatever its coordinates (at 200 % the window is wider than 517 pixels).
TEST_F(FormLoad, OnlyTheIconsMessageRestoresAHiddenWindow) {
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
