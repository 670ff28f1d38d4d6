// What the shell's windows are sent: nothing while the look is unchanged, the look again where
// another program changed it, the tick's parts in their order, and never a wait on a notification
// area that stopped answering.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/restyler.h"
#include "main_window/main_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/hanging_thread.h"
#include "test_support.h"

namespace {

using namespace test_support;

// What reaches the stand-ins, in order.
std::vector<std::string> seen;
WNDPROC button_proc = nullptr, taskbar_proc = nullptr;
LRESULT CALLBACK RecordingButton(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT) seen.push_back("label");
    if (msg == WM_WINDOWPOSCHANGING) seen.push_back("place");
    return CallWindowProcW(button_proc, window, msg, wp, lp);
}
LRESULT CALLBACK RecordingTaskbar(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_EXSTYLE)) seen.push_back("alpha");
    return CallWindowProcW(taskbar_proc, window, msg, wp, lp);
}

// A stand-in taskbar and Start button whose messages are recorded.
struct RecordedShell : StandInTaskbar {
    RecordedShell() : StandInTaskbar(MakeStandInTaskbar()) {
        seen.clear();
        button_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingButton)));
        taskbar_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingTaskbar)));
    }
    ~RecordedShell() { DestroyWindow(taskbar); }
};

RECT PlaceOf(HWND button) {
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(ShellTraffic, AnUnchangedLookSendsNothingAndWhatAnotherProgramChangedIsPutBack) {
    RecordedShell shell;
    core::Restyler restyler(FinderOf(shell.taskbar, shell.button));
    restyler.FindShell();
    core::Look look;
    look.label = "Pel";
    look.placement = {5, 2, 60, 24};
    look.shape = core::ShapeType::kEllipse;
    restyler.Apply(look);
    EXPECT_FALSE(seen.empty());

    seen.clear();
    for (int i = 0; i < 5; ++i) restyler.Apply(look);
    EXPECT_TRUE(seen.empty()) << seen.size() << " sends, the first: " << seen.front();

    win::unique_hrgn outline(CreateEllipticRgn(0, 0, 60, 24));
    SetWindowTextW(shell.button, L"Other");
    SetWindowPos(shell.button, nullptr, 20, 0, 30, 10, SWP_NOZORDER);
    SetWindowRgn(shell.button, nullptr, TRUE);
    restyler.Apply(look);
    EXPECT_EQ(WindowText(shell.button), "Pel");
    const RECT place = PlaceOf(shell.button);
    EXPECT_EQ(place.left, 5);
    EXPECT_EQ(place.top, 2);
    EXPECT_EQ(place.right, 65);
    EXPECT_EQ(place.bottom, 26);
    EXPECT_TRUE(core::HasRegion(shell.button, outline.get()));
}

// What the stand-ins saw, each with the stored alpha at that moment; the label's arrival stores a
// new shape, as another tool might in the middle of a tick.
LRESULT CALLBACK OrderButton(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    static bool placed = false;  // the first placement only: a region's arrival moves nothing
    if (msg == WM_WINDOWPOSCHANGING && !placed) {
        placed = true;
        seen.push_back("place HS1=" + Stored(names::kAlpha));
    }
    if (msg == WM_SETTEXT) {
        seen.push_back("label");
        Store(names::kShapeType, "Rectangle");
    }
    return CallWindowProcW(button_proc, window, msg, wp, lp);
}
LRESULT CALLBACK OrderTaskbar(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_EXSTYLE))
        seen.push_back("alpha HS1=" + Stored(names::kAlpha));
    return CallWindowProcW(taskbar_proc, window, msg, wp, lp);
}

TEST(ShellTraffic, ATickAppliesTheAlphaThenStoresItThenPlacesLabelsAndReadsTheShape) {
    CleanSettings clean;
    Store(names::kMakeOpaque, "1");
    Store(names::kAlpha, "200");
    Store(names::kShapeType, "Ellipse");
    RecordedShell shell;
    main_window::MainWindow form(TestEnvironment(FinderOf(shell.taskbar, shell.button)));
    ASSERT_TRUE(form.Create(""));

    // Everything differs from the look again, and the stored alpha is another tool's.
    SetWindowLongW(shell.taskbar, GWL_EXSTYLE, GetWindowLongW(shell.taskbar, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    SetWindowTextW(shell.button, L"Other");
    SetWindowPos(shell.button, nullptr, 20, 0, 30, 10, SWP_NOZORDER);
    Store(names::kAlpha, "7");
    SetWindowLongPtrW(shell.button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OrderButton));
    SetWindowLongPtrW(shell.taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OrderTaskbar));
    seen.clear();
    SendMessageW(form.hwnd(), WM_TIMER, main_window::kReapplyTimerId, 0);

    const std::vector<std::string> expected = {"alpha HS1=7", "place HS1=200", "label"};
    EXPECT_EQ(seen, expected);
    const int width = Driver(form.hwnd()).Position(main_window::kWidthSlider);
    win::unique_hrgn rectangle(CreateRectRgn(0, 0, width, 32));
    EXPECT_TRUE(core::HasRegion(shell.button, rectangle.get())) << "the shape is read after the label";
}

bool exited = false;
int icon_calls = 0;  // what the stand-in notification area was asked, and took
LRESULT CALLBACK CountingTray(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) return ++icon_calls;
    return DefWindowProcW(window, msg, wp, lp);
}

// The icon is added once the notification area answers again; the window's end and "&Exit" leave
// a removal it is not answering for to the shell.
TEST(ShellTraffic, LoadAndExitDoNotWaitForANotificationAreaThatStopsAnswering) {
    CleanSettings clean;
    // Topmost and made last, the stand-in is the notification area Shell_NotifyIcon finds.
    HangingThread tray([] {
        HWND made = MakeStandInTopLevel("Shell_TrayWnd", WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        SetWindowLongPtrW(made, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingTray));
        return made;
    });
    tray.Hang();
    {
        main_window::Environment environment = TestEnvironment();
        environment.end_process = [](UINT) { exited = true; };
        main_window::MainWindow form(std::move(environment));
        ASSERT_TRUE(form.Create(""));  // the load adds the icon
        EXPECT_TRUE(tray.hung()) << "the load waited for the notification area";

        tray.Release();
        PumpMessages(100);  // the notification area's answer to the probe
        SendMessageW(form.hwnd(), WM_TIMER, main_window::kReapplyTimerId, 0);
        PumpMessages(100);
        EXPECT_EQ(icon_calls, 1) << "the add owed is made at the next tick";

        tray.Hang();
        SendMessageW(form.hwnd(), WM_COMMAND, main_window::kMenuExit, 0);  // "&Exit" chosen
        EXPECT_TRUE(exited);
        EXPECT_TRUE(tray.hung()) << "Exit waited for the notification area";
    }
    EXPECT_TRUE(tray.hung()) << "closing the window waited for the notification area";
}

// Closing hides the window at once while the shell does not answer: the activation the window gives
// up goes to the window below it, here a taskbar whose thread hangs, and nothing on the way may wait
// for that thread.
TEST(ShellTraffic, ClosingHidesTheWindowWithoutWaitingForAShellThatStopsAnswering) {
    CleanSettings clean;
    HWND taskbar = nullptr;
    HangingThread shell([&taskbar] {
        taskbar = MakeStandInTopLevel("Shell_TrayWnd", WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        ShowWindow(taskbar, SW_SHOWNA);
        return taskbar;
    });
    RunningMainWindow form;
    ASSERT_TRUE(form.created());
    HWND main = form->hwnd();
    SetWindowPos(taskbar, main, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(main);
    ASSERT_TRUE(IsWindowVisible(main));

    shell.Hang();
    PostMessageW(main, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    PumpMessages();  // the close taken as the program's loop takes it
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_LT(GetTickCount() - start, 100u) << "the close waited for the shell";
}

}  // namespace
