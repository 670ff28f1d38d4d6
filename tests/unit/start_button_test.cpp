// The Start button search, against stand-in windows of our own: the real taskbar of the test
// desktop is the classic kind, and FindWindowA("Shell_TrayWnd") would find it, not ours.
#include "shell/restyler.h"
#include "support/stand_ins.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using test_support::kStandInTaskbarClass;
constexpr const char* kStartClass = "Start";  // the Start button's class on Windows 8 to 10

bool ThisProcess(DWORD process) { return process == GetCurrentProcessId(); }

HWND MakeTopLevel(const char* window_class) { return test_support::MakeStandInTopLevel(window_class); }
HWND MakeChild(HWND parent, const char* window_class) {
    return test_support::MakeStandInButton(parent, window_class, 0);
}

class StartButtonSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        taskbar_ = MakeTopLevel(kStandInTaskbarClass);
        ASSERT_NE(taskbar_, nullptr);
    }
    void TearDown() override {
        for (HWND w : owned_) DestroyWindow(w);
        DestroyWindow(taskbar_);
    }
    HWND Own(HWND w) {
        owned_.push_back(w);
        return w;
    }

    HWND taskbar_ = nullptr;
    std::vector<HWND> owned_;
};

TEST_F(StartButtonSearch, StartChildOfLaterShells) {
    HWND start = MakeChild(taskbar_, kStartClass);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(core::FindStartButton(taskbar_), start);
}

TEST_F(StartButtonSearch, TopLevelButtonOfTheTaskbarThreadWinsOverStartChild) {
    MakeChild(taskbar_, kStartClass);
    HWND orb = Own(MakeTopLevel("Button"));
    ASSERT_NE(orb, nullptr);
    EXPECT_EQ(core::FindStartButton(taskbar_), orb);
}

TEST_F(StartButtonSearch, ButtonChildWinsOverBoth) {
    MakeChild(taskbar_, kStartClass);
    Own(MakeTopLevel("Button"));
    HWND classic = MakeChild(taskbar_, "BUTTON");
    ASSERT_NE(classic, nullptr);
    EXPECT_EQ(core::FindStartButton(taskbar_), classic);
}

TEST_F(StartButtonSearch, TopLevelButtonOfAnotherThreadIsNotTaken) {
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND foreign = nullptr;
    std::thread other([&] {
        foreign = MakeTopLevel("Button");
        SetEvent(made);
        WaitForSingleObject(done, INFINITE);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(made, INFINITE);
    ASSERT_NE(foreign, nullptr);

    EXPECT_EQ(core::FindStartButton(taskbar_), nullptr);
    HWND start = MakeChild(taskbar_, kStartClass);
    EXPECT_EQ(core::FindStartButton(taskbar_), start);

    SetEvent(done);
    other.join();
    CloseHandle(made);
    CloseHandle(done);
}

TEST_F(StartButtonSearch, NoTaskbarNoStartButton) {
    // A top-level Button of this thread exists: a search without a parent must not return it.
    Own(MakeTopLevel("Button"));
    EXPECT_EQ(core::FindStartButton(nullptr), nullptr);
    HWND gone = MakeTopLevel(kStandInTaskbarClass);
    DestroyWindow(gone);
    EXPECT_EQ(core::FindStartButton(gone), nullptr);
}

TEST_F(StartButtonSearch, TopLevelButtonIsPlacedOnTheTaskbarWithoutTakingTheForeground) {
    SetWindowPos(taskbar_, nullptr, 100, 700, 800, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HWND orb = Own(MakeTopLevel("Button"));
    ShowWindow(orb, SW_SHOWNOACTIVATE);
    HWND user_program = Own(MakeTopLevel(kStandInTaskbarClass));
    ShowWindow(user_program, SW_SHOW);
    SetForegroundWindow(user_program);
    ASSERT_EQ(GetForegroundWindow(), user_program);

    core::PlaceStartButton(orb, taskbar_, {5, 3, 50, 30});
    RECT r{};
    GetWindowRect(orb, &r);
    EXPECT_EQ(r.left, 105);
    EXPECT_EQ(r.top, 703);
    EXPECT_EQ(r.right - r.left, 50);
    EXPECT_EQ(r.bottom - r.top, 30);
    EXPECT_EQ(GetForegroundWindow(), user_program);

    // A child button stays in its parent's coordinates.
    HWND classic = MakeChild(taskbar_, "BUTTON");
    core::PlaceStartButton(classic, taskbar_, {5, 3, 50, 30});
    GetWindowRect(classic, &r);
    EXPECT_EQ(r.left, 105);
    EXPECT_EQ(r.top, 703);
}

TEST_F(StartButtonSearch, EveryExtraTaskbarWithItsStartButton) {
    const char* kSecondary = "Shell_SecondaryTrayWnd";
    HWND first = Own(MakeTopLevel(kSecondary));
    HWND first_start = MakeChild(first, kStartClass);
    HWND second = Own(MakeTopLevel(kSecondary));
    HWND second_button = MakeChild(second, "BUTTON");
    HWND without_button = Own(MakeTopLevel(kSecondary));  // no Start button: found for the alpha

    auto found = core::FindSecondaryTaskbars(ThisProcess);
    ASSERT_EQ(found.size(), 3u);
    auto has = [&found](HWND taskbar, HWND button) {
        for (const core::SecondaryTaskbar& t : found)
            if (t.taskbar == taskbar && t.start_button == button) return true;
        return false;
    };
    EXPECT_TRUE(has(first, first_start));
    EXPECT_TRUE(has(second, second_button));
    EXPECT_TRUE(has(without_button, nullptr));

    DestroyWindow(first);  // a monitor unplugged
    found = core::FindSecondaryTaskbars(ThisProcess);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_FALSE(has(first, first_start));

    // The cap counts every taskbar examined: button-less windows of that class use it up too.
    DestroyWindow(second);
    DestroyWindow(without_button);
    std::vector<HWND> without_buttons;
    for (size_t i = 0; i < core::kMaxSecondaryTaskbars; ++i)
        without_buttons.push_back(Own(MakeTopLevel(kSecondary)));
    HWND beyond_the_cap = Own(MakeTopLevel(kSecondary));
    MakeChild(beyond_the_cap, kStartClass);
    // Last in the search's order, after every button-less one.
    SetWindowPos(beyond_the_cap, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    found = core::FindSecondaryTaskbars(ThisProcess);
    EXPECT_EQ(found.size(), core::kMaxSecondaryTaskbars);
    for (const core::SecondaryTaskbar& t : found) EXPECT_NE(t.taskbar, beyond_the_cap);
}

TEST(StartButtonSearchShell, FindsTheTestDesktopsStartButton) {
    HWND taskbar = core::FindTaskbar();
    ASSERT_NE(taskbar, nullptr) << "the test desktop has a taskbar";
    EXPECT_EQ(core::FindStartButton(taskbar), FindWindowExA(taskbar, nullptr, "BUTTON", nullptr));
}

}  // namespace
