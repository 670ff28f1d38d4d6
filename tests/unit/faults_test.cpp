// The program keeps running, without leaking, when the shell is not there or goes away under it:
// no taskbar at all, and a Start button destroyed between two ticks until "TaskbarCreated" comes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "main_window/main_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/resource_count.h"
#include "test_support.h"

namespace {

int CountKernelHandles() { return resource_count::KernelHandles(); }

bool HasRegion(HWND window) {
    win::unique_hrgn probe(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(window, probe.get()) != ERROR;
}

void Store(const char* name, const char* text) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(name, settings::Value::Text(text));
}

void IgnoreExit(UINT) {}

class Faults : public ::testing::Test {
protected:
    void SetUp() override {
        taskbar_ = FindWindowA("Shell_TrayWnd", nullptr);
        taskbar_ex_style_ = GetWindowLongA(taskbar_, GWL_EXSTYLE);
    }
    void TearDown() override {
        if (form_) {
            form_->SetExitProcess(IgnoreExit);
            form_->OnExitChosen();  // removes the notification-area icon
            form_.reset();
        }
        SetLayeredWindowAttributes(taskbar_, 0, 255, LWA_ALPHA);
        SetWindowLongA(taskbar_, GWL_EXSTYLE, taskbar_ex_style_);
    }
    main_window::MainWindow& Start() {
        form_ = std::make_unique<main_window::MainWindow>();
        EXPECT_TRUE(form_->Create(""));
        return *form_;
    }
    void Tick(int n) {
        for (int i = 0; i < n; ++i) form_->OnTick();
    }

    test_support::CleanSettings clean_;
    test_support::StartButtonRestorer restorer_;
    HWND taskbar_ = nullptr;
    LONG taskbar_ex_style_ = 0;
    std::unique_ptr<main_window::MainWindow> form_;
};

class NoTaskbar : public Faults, public ::testing::WithParamInterface<const char*> {};

// Every region a tick builds must be deleted when no window takes it.
TEST_P(NoTaskbar, TicksRunAndLeakNothing) {
    Store(names::kShapeType, GetParam());
    Store(names::kOutlineText, "Pel");
    Store(names::kMakeOpaque, "1");  // the alpha call and the HS1 write run on every tick too
    main_window::MainWindow& f = Start();
    f.UseTaskbarWindows(nullptr, nullptr);

    Tick(20);  // fonts and DCs cache a few objects on first use
    const int gdi = test_support::CountGdiObjects();
    const int handles = CountKernelHandles();
    Tick(1000);
    EXPECT_EQ(test_support::CountGdiObjects(), gdi);
    EXPECT_EQ(CountKernelHandles(), handles);
    EXPECT_EQ(f.StartButton(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Shapes, NoTaskbar, ::testing::Values("Ellipse", "Rectangle", "Text"));

constexpr const char* kStandInClass = "PelmoraTestStandInTray";

HWND MakeStandInTaskbar() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kStandInClass;
    RegisterClassA(&wc);
    return CreateWindowExA(WS_EX_TOOLWINDOW, kStandInClass, "", WS_POPUP, 0, 700, 800, 30, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST_F(Faults, StartButtonDestroyedMidRunThenTaskbarCreated) {
    Store(names::kShapeType, "Ellipse");
    main_window::MainWindow& f = Start();
    HWND stand_in = MakeStandInTaskbar();
    HWND stand_in_button = CreateWindowExA(0, "BUTTON", "Start", WS_CHILD | WS_VISIBLE, 0, 0, 60, 30, stand_in,
                                           nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(stand_in_button, nullptr);
    f.UseTaskbarWindows(stand_in, stand_in_button);
    Tick(1);
    EXPECT_TRUE(HasRegion(stand_in_button));

    DestroyWindow(stand_in_button);
    Tick(5);
    const int gdi = test_support::CountGdiObjects();
    Tick(200);  // each tick builds a region that no window takes
    EXPECT_EQ(test_support::CountGdiObjects(), gdi);
    DestroyWindow(stand_in);
    Tick(5);

    // The shell says it is back: the real taskbar and its Start button are found again.
    SetWindowRgn(restorer_.button(), nullptr, TRUE);
    SendMessageA(f.hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(f.Taskbar(), taskbar_);
    EXPECT_EQ(f.StartButton(), restorer_.button());
    Tick(1);
    EXPECT_TRUE(HasRegion(restorer_.button()));
}

}  // namespace
