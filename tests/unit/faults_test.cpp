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

bool HasRegion(HWND window) {
    win::unique_hrgn probe(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(window, probe.get()) != ERROR;
}

void Store(const char* name, const char* text) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(name, settings::Value::Text(text));
}

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
        core::ShellFinder finder;
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
    Store(names::kShapeType, GetParam());
    Store(names::kOutlineText, "Pel");
    Store(names::kMakeOpaque, "1");  // the alpha call and the HS1 write run on every tick too
    stand_in_.on = true;             // a shell without a taskbar
    Start();

    Tick(20);  // fonts and DCs cache a few objects on first use
    const int gdi = test_support::CountGdiObjects();
    const int handles = CountKernelHandles();
    Tick(1000);
    EXPECT_EQ(test_support::CountGdiObjects(), gdi);
    EXPECT_EQ(CountKernelHandles(), handles);
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
    Start();
    HWND stand_in = MakeStandInTaskbar();
    HWND stand_in_button = CreateWindowExA(0, "BUTTON", "Start", WS_CHILD | WS_VISIBLE, 0, 0, 60, 30,
                                           stand_in, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(stand_in_button, nullptr);
    stand_in_ = {true, stand_in, stand_in_button};
    TaskbarCreated();
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
    stand_in_.on = false;
    TaskbarCreated();
    Tick(1);
    EXPECT_TRUE(HasRegion(restorer_.button()));
}

// A taskbar of a further monitor with a "BUTTON" child, made by the calling thread.
struct ExtraTaskbar {
    HWND taskbar = nullptr, button = nullptr;
    static ExtraTaskbar Make() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Shell_SecondaryTrayWnd";
        RegisterClassA(&wc);  // fails harmlessly once registered
        ExtraTaskbar extra;
        extra.taskbar = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 600, 30,
                                        nullptr, nullptr, nullptr, nullptr);
        extra.button = CreateWindowExA(0, "BUTTON", "Start", WS_CHILD, 0, 0, 40, 20, extra.taskbar, nullptr,
                                       nullptr, nullptr);
        return extra;
    }
};

std::string TextOf(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

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
    ExtraTaskbar extras[2] = {ExtraTaskbar::Make(), ExtraTaskbar::Make()};
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
    for (const ExtraTaskbar& extra : extras) EXPECT_EQ(TextOf(extra.button), "Pel");
    EXPECT_FALSE(searched_inside) << "the restart's search ran inside the tick";
    EXPECT_EQ(searches_, searches_before + 1) << "the search the restart asked for ran after the tick";
    for (const ExtraTaskbar& extra : extras) DestroyWindow(extra.taskbar);
}

TEST_F(Faults, AHungStartButtonDoesNotStopTheTickAndGetsTheLookWhenItAnswers) {
    Store(names::kShapeType, "Ellipse");
    Start();
    const test_support::Driver driver = form_->driver();
    driver.Type(main_window::kNewLabelBox, "One");
    ExtraTaskbar extra;
    test_support::HangingThread shell([&extra] {
        extra = ExtraTaskbar::Make();
        return extra.taskbar;
    });
    Tick(1);
    EXPECT_EQ(TextOf(extra.button), "One");
    EXPECT_TRUE(HasRegion(extra.button));
    SetWindowRgn(extra.button, nullptr, TRUE);  // while its thread still answers

    shell.Hang();
    SetWindowRgn(restorer_.button(), nullptr, TRUE);
    driver.Type(main_window::kNewLabelBox, "Two");
    Tick(2);
    EXPECT_TRUE(shell.hung()) << "the tick waited for the hung thread";
    EXPECT_TRUE(HasRegion(restorer_.button())) << "the main Start button got its outline";
    EXPECT_EQ(TextOf(restorer_.button()), "Two");

    shell.Release();                  // only now may this thread ask the button anything
    test_support::PumpMessages(100);  // its answer to the probe comes back between ticks
    Tick(1);
    EXPECT_EQ(TextOf(extra.button), "Two");
    EXPECT_TRUE(HasRegion(extra.button));
}

}  // namespace
