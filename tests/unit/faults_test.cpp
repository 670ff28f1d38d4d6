// The program keeps running, without leaking, when the shell is not there or goes away under it:
// no taskbar at all, and a Start button destroyed between two ticks until "TaskbarCreated" comes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "main_window/main_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/hanging_thread.h"
#include "support/resource_count.h"
#include "test_support.h"

namespace {

int CountKernelHandles() { return resource_count::KernelHandles(); }

class Faults : public ::testing::Test {
  protected:
    void SetUp() override {
        taskbar_ = FindWindowA("Shell_TrayWnd", nullptr);
        taskbar_ex_style_ = GetWindowLongA(taskbar_, GWL_EXSTYLE);
    }
    void TearDown() override {
        form_.reset();  // takes its notification-area icon along
        SetLayeredWindowAttributes(taskbar_, 0, 255, LWA_ALPHA);
        SetWindowLongA(taskbar_, GWL_EXSTYLE, taskbar_ex_style_);
    }
    // The program as it starts, finding the shell's windows through this fixture: the system's,
    // or while `stand_in_` is on its taskbar and button (either may be null). Each search counts.
    main_window::MainWindow& Start() {
        core::ShellFinder finder = test_support::TestFinder();
        finder.taskbar = [this] {
            ++searches_;
            return stand_in_.on ? stand_in_.taskbar : core::FindTaskbar();
        };
        finder.start_button = [this](HWND taskbar) {
            return stand_in_.on ? stand_in_.button : core::FindStartButton(taskbar);
        };
        form_ = std::make_unique<test_support::RunningMainWindow>(test_support::TestEnvironment(finder));
        EXPECT_TRUE(form_->created());
        return **form_;
    }
    void Tick(int n) { form_->Tick(n); }
    // The shell says it restarted: its windows are searched again.
    void TaskbarCreated() { SendMessageA((*form_)->hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

    struct StandIn {
        bool on = false;
        HWND taskbar = nullptr, button = nullptr;
    } stand_in_;
    int searches_ = 0;

    test_support::CleanSettings clean_;
    test_support::StartButtonRestorer restorer_;
    HWND taskbar_ = nullptr;
    LONG taskbar_ex_style_ = 0;
    std::unique_ptr<test_support::RunningMainWindow> form_;
};

class NoTaskbar : public Faults, public ::testing::WithParamInterface<const char*> {};

// Every region a tick builds must be deleted when no window takes it.
TEST_P(NoTaskbar, TicksRunAndLeakNothing) {
    test_support::Store(names::kShapeType, GetParam());
    test_support::Store(names::kOutlineText, "Pel");
    test_support::Store(names::kMakeOpaque, "1");  // the alpha call and the HS1 write run on every tick too
    stand_in_.on = true;                           // a shell without a taskbar
    Start();

    Tick(20);  // fonts and DCs cache a few objects on first use
    const int gdi = test_support::CountGdiObjects();
    const int handles = CountKernelHandles();
    Tick(1000);
    EXPECT_EQ(test_support::CountGdiObjects(), gdi);
    EXPECT_EQ(CountKernelHandles(), handles);
}

INSTANTIATE_TEST_SUITE_P(Shapes, NoTaskbar, ::testing::Values("Ellipse", "Rectangle", "Text"));

TEST_F(Faults, StartButtonDestroyedMidRunThenTaskbarCreated) {
    test_support::Store(names::kShapeType, "Ellipse");
    const test_support::StandInTaskbar made = test_support::MakeStandInTaskbar();
    HWND stand_in = made.taskbar, stand_in_button = made.button;
    ASSERT_NE(stand_in_button, nullptr);
    stand_in_ = {true, stand_in, stand_in_button};
    Start();
    Tick(1);
    EXPECT_TRUE(test_support::HasRegion(stand_in_button));

    DestroyWindow(stand_in_button);
    Tick(5);
    const int gdi = test_support::CountGdiObjects();
    Tick(200);  // each tick builds a region that no window takes
    EXPECT_EQ(test_support::CountGdiObjects(), gdi);
    DestroyWindow(stand_in);
    Tick(5);

    // The shell says it is back: the real taskbar and its Start button are found again.
    SetWindowRgn(restorer_.button(), nullptr, TRUE);
    stand_in_.on = false;
    TaskbarCreated();
    Tick(1);
    EXPECT_TRUE(test_support::HasRegion(restorer_.button()));
}

// A taskbar of a further monitor with a "BUTTON" child, made by the calling thread.
using ExtraTaskbar = test_support::StandInTaskbar;
ExtraTaskbar MakeExtraTaskbar() { return test_support::MakeStandInTaskbar("Shell_SecondaryTrayWnd"); }

HWND reentered_form = nullptr;
int label_calls = 0;
const int* searches = nullptr;
bool searched_inside = false;
WNDPROC button_proc = nullptr;

// Sets its label only after the shell announced a restart and a tick was asked for.
LRESULT CALLBACK ReenteringButton(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT && reentered_form) {
        ++label_calls;
        const int before = *searches;
        SendMessageA(reentered_form, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        searched_inside = searched_inside || *searches != before;
        SendMessageW(reentered_form, WM_TIMER, main_window::kReapplyTimerId, 0);
    }
    return CallWindowProcA(button_proc, window, msg, wp, lp);
}

TEST_F(Faults, ShellRestartAndTickInsideATickWaitForItsEnd) {
    main_window::MainWindow& f = Start();
    form_->driver().Type(main_window::kNewLabelBox, "Pel");
    ExtraTaskbar extras[2] = {MakeExtraTaskbar(), MakeExtraTaskbar()};
    for (const ExtraTaskbar& extra : extras) {
        button_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(extra.button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReenteringButton)));
    }
    reentered_form = f.hwnd();
    searches = &searches_;
    const int searches_before = searches_;
    Tick(1);
    reentered_form = nullptr;
    EXPECT_EQ(label_calls, 2) << "each extra Start button once: no tick ran inside the tick";
    for (const ExtraTaskbar& extra : extras) EXPECT_EQ(test_support::WindowText(extra.button), "Pel");
    EXPECT_FALSE(searched_inside) << "the restart's search ran inside the tick";
    EXPECT_EQ(searches_, searches_before + 1) << "the search the restart asked for ran after the tick";
    for (const ExtraTaskbar& extra : extras) DestroyWindow(extra.taskbar);
}

TEST_F(Faults, AHungStartButtonDoesNotStopTheTickAndGetsTheLookWhenItAnswers) {
    test_support::Store(names::kShapeType, "Ellipse");
    Start();
    const test_support::Driver driver = form_->driver();
    driver.Type(main_window::kNewLabelBox, "One");
    ExtraTaskbar extra;
    test_support::HangingThread shell([&extra] {
        extra = MakeExtraTaskbar();
        return extra.taskbar;
    });
    Tick(1);
    EXPECT_EQ(test_support::WindowText(extra.button), "One");
    EXPECT_TRUE(test_support::HasRegion(extra.button));
    SetWindowRgn(extra.button, nullptr, TRUE);  // while its thread still answers

    shell.Hang();
    SetWindowRgn(restorer_.button(), nullptr, TRUE);
    driver.Type(main_window::kNewLabelBox, "Two");
    Tick(2);
    EXPECT_TRUE(shell.hung()) << "the tick waited for the hung thread";
    EXPECT_TRUE(test_support::HasRegion(restorer_.button())) << "the main Start button got its outline";
    EXPECT_EQ(test_support::WindowText(restorer_.button()), "Two");

    shell.Release();                  // only now may this thread ask the button anything
    test_support::PumpMessages(100);  // its answer to the probe comes back between ticks
    Tick(1);
    EXPECT_EQ(test_support::WindowText(extra.button), "Two");
    EXPECT_TRUE(test_support::HasRegion(extra.button));
}

}  // namespace
