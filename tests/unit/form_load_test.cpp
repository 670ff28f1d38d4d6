// The main window's load routine with the real registry and the test desktop's taskbar: what a
// first start shows and stores, and how stored values reach the controls.
#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "app/tray.h"
#include "customize/form2.h"
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
    test_support::RunningForm1 form;
    ASSERT_TRUE(form.created());

    EXPECT_TRUE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_EQ(form->HScroll1.Value(), 255);
    EXPECT_EQ(form->HScroll2.Value(), 0);
    EXPECT_EQ(form->HScroll3.Value(), 100);
    EXPECT_EQ(form->HScroll4.Value(), 0);
    EXPECT_EQ(form->HScroll5.Value(), 32);
    EXPECT_EQ(form->Check1.Value(), 0);
    EXPECT_EQ(form->Check2.Value(), 0);
    EXPECT_FALSE(form->HScroll1.Visible());
    EXPECT_EQ(form->Text1.Text(), "");  // "start" replaced by the empty stored label
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));

    // No handler ran, so nothing was stored; the alpha slider kept its 255.
    EXPECT_EQ(test_support::ValueNames(registry::kSettingsKey), "");
    EXPECT_FALSE(RunValueExists());

    // The current-label box shows the Start button's own label.
    ASSERT_NE(form->StartButtonWnd(), nullptr);
    EXPECT_EQ(form->StartButtonWnd(), restore.button());
    EXPECT_EQ(form->Text2.Text(), "Start here");
    EXPECT_EQ(form->TaskbarWnd(), FindWindowA("Shell_TrayWnd", nullptr));

    // The X sliders reach as far as the customize window's client is wide at the screen's width.
    EXPECT_EQ(form->HScroll2.Max(), form->HScroll3.Max());
    EXPECT_GT(form->HScroll2.Max(), GetSystemMetrics(SM_CXSCREEN) - 40);
    EXPECT_LE(form->HScroll2.Max(), GetSystemMetrics(SM_CXSCREEN) + 10);
    EXPECT_EQ(form->HScroll4.Max(), 100);
    // ... and the customize window is back at its normal width, still hidden.
    RECT r{};
    GetWindowRect(form->CustomizeWindow().hwnd(), &r);
    EXPECT_LT(r.right - r.left, 400);
    EXPECT_FALSE(IsWindowVisible(form->CustomizeWindow().hwnd()));
}

TEST_F(FormLoad, StoredValuesReachTheControls) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(names::kText, Value::Text("Hello"));
    registry::WriteSetting(names::kHS1, Value::Text("300"));   // above the alpha range: refused
    registry::WriteSetting(names::kPX1, Value::Text("2100"));  // above the initial X maximum: refused
    registry::WriteSetting(names::kPX2, Value::Text("0"));     // 0 keeps the initial width
    registry::WriteSetting(names::kPY1, Value::Text("7"));
    registry::WriteSetting(names::kPY2, Value::Text("18"));
    registry::WriteSetting(names::kCheck, Value::Text("1"));
    registry::WriteSetting(names::kCheckMT, Value::Text("1"));
    registry::WriteSetting(names::kType, Value::Text("Rectangle"));
    SetWindowTextA(restore.button(), "Start");

    test_support::RunningForm1 form;
    ASSERT_TRUE(form.created());
    EXPECT_EQ(form->Text1.Text(), "Hello");
    EXPECT_EQ(form->Text2.Text(), "Start");  // the button's label, never the stored one
    EXPECT_EQ(form->HScroll1.Value(), 255);
    EXPECT_EQ(form->HScroll2.Value(), 0);
    EXPECT_EQ(form->HScroll3.Value(), 100);
    EXPECT_EQ(form->HScroll4.Value(), 7);
    EXPECT_EQ(form->HScroll5.Value(), 18);
    EXPECT_EQ(form->Check1.Value(), 1);
    EXPECT_TRUE(form->HScroll1.Visible());
    EXPECT_EQ(form->Check2.Value(), 1);

    // Refused values were not rewritten; the handlers that ran stored their values back.
    EXPECT_EQ(Stored(names::kHS1), std::string("300\0", 4));
    EXPECT_EQ(Stored(names::kPX1), std::string("2100\0", 5));
    EXPECT_EQ(Stored(names::kPX2), std::string("0\0", 2));
    EXPECT_EQ(Stored(names::kPY1), std::string("7\0", 2));
    EXPECT_EQ(Stored(names::kCheck), std::string("1\0", 2));
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
    EXPECT_EQ(form->CustomizeWindow().Toolbar1.ButtonValue(3), 1);
}

TEST_F(FormLoad, ValuesThatDoNotConvertLeaveTheControls) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(names::kHS1, Value::Text("120"));
    registry::WriteSetting(names::kPX2, Value::Text("90"));
    registry::WriteSetting(names::kPY2, Value::Text("40"));
    test_support::RunningForm1 form;
    ASSERT_TRUE(form.created());
    EXPECT_EQ(form->HScroll1.Value(), 120);
    EXPECT_EQ(form->HScroll3.Value(), 90);
    EXPECT_EQ(form->HScroll5.Value(), 40);

    // A later load (as after a label change) with values that are no numbers, or out of range for
    // a 16-bit integer: the copies keep their values and the sliders stay.
    registry::WriteSetting(names::kHS1, Value::Text("junk"));
    registry::WriteSetting(names::kPX2, Value::Text("70000"));
    registry::WriteSetting(names::kPY2, Value::Text("1e9"));
    registry::WriteSetting(names::kCheck, Value::Text("yes"));
    form->Form_Load();
    EXPECT_EQ(form->HScroll1.Value(), 120);
    EXPECT_EQ(form->HScroll3.Value(), 90);
    EXPECT_EQ(form->HScroll5.Value(), 40);
    EXPECT_EQ(form->Check2.Value(), 0);
    EXPECT_FALSE(RunValueExists());

    // The settings key deleted while running: writes store nothing, the next load makes it again.
    test_support::DeleteKeyTree(registry::kSettingsKey);
    form->HScroll5.SetValue(50);
    EXPECT_FALSE(test_support::KeyExists(registry::kSettingsKey));
    form->Form_Load();
    EXPECT_TRUE(test_support::KeyExists(registry::kSettingsKey));
}

// Started with "/min": only the icon's own message brings the window back, never a pointer move
// over the window, whatever its coordinates (at 200 % the window is wider than 517 pixels).
TEST_F(FormLoad, OnlyTheIconsMessageRestoresAHiddenWindow) {
    HICON class_icon = nullptr;
    {
        test_support::RunningForm1 form("/min");
        ASSERT_TRUE(form.created());
        ASSERT_FALSE(IsWindowVisible(form->hwnd()));
        for (int x : {WM_LBUTTONUP, WM_LBUTTONDBLCLK})
            SendMessageA(form->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 10));
        EXPECT_FALSE(IsWindowVisible(form->hwnd()));
        SendMessageA(form->hwnd(), app::kTrayCallbackMessage, 1, WM_LBUTTONUP);
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
