// The Start button search, against stand-in windows of our own: the real taskbar of the test
// desktop is the classic kind, and FindWindowA("Shell_TrayWnd") would find it, not ours.
#include "app/start_button.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

constexpr const char* kStandInTaskbarClass = "PelmoraTestStandInTaskbar";
constexpr const char* kStartClass = "Start";  // the Start button's class on Windows 8 to 10

void RegisterStandInClasses() {
    for (const char* name : {kStandInTaskbarClass, kStartClass}) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        RegisterClassA(&wc);  // fails harmlessly once registered
    }
}

HWND MakeTopLevel(const char* window_class, const char* title) {
    return CreateWindowExA(WS_EX_TOOLWINDOW, window_class, title, WS_POPUP, 0, 0, 40, 20, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND MakeChild(HWND parent, const char* window_class) {
    return CreateWindowExA(0, window_class, "Start", WS_CHILD, 0, 0, 40, 20, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

class StartButtonSearch : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStandInClasses();
        taskbar_ = MakeTopLevel(kStandInTaskbarClass, "");
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
    EXPECT_EQ(app::FindStartButton(taskbar_), start);
}

TEST_F(StartButtonSearch, TopLevelButtonOfTheTaskbarThreadWinsOverStartChild) {
    MakeChild(taskbar_, kStartClass);
    HWND orb = Own(MakeTopLevel("Button", "Start"));
    ASSERT_NE(orb, nullptr);
    EXPECT_EQ(app::FindStartButton(taskbar_), orb);
}

TEST_F(StartButtonSearch, ButtonChildWinsOverBoth) {
    MakeChild(taskbar_, kStartClass);
    Own(MakeTopLevel("Button", "Start"));
    HWND classic = MakeChild(taskbar_, "BUTTON");
    ASSERT_NE(classic, nullptr);
    EXPECT_EQ(app::FindStartButton(taskbar_), classic);
}

TEST_F(StartButtonSearch, TopLevelButtonOfAnotherThreadIsNotTaken) {
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND foreign = nullptr;
    std::thread other([&] {
        foreign = MakeTopLevel("Button", "Start");
        SetEvent(made);
        WaitForSingleObject(done, INFINITE);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(made, INFINITE);
    ASSERT_NE(foreign, nullptr);

    EXPECT_EQ(app::FindStartButton(taskbar_), nullptr);
    HWND start = MakeChild(taskbar_, kStartClass);
    EXPECT_EQ(app::FindStartButton(taskbar_), start);

    SetEvent(done);
    other.join();
    CloseHandle(made);
    CloseHandle(done);
}

TEST_F(StartButtonSearch, NoTaskbarNoStartButton) {
    // A top-level Button of this thread exists: a search without a parent must not return it.
    Own(MakeTopLevel("Button", "Start"));
    EXPECT_EQ(app::FindStartButton(nullptr), nullptr);
    HWND gone = MakeTopLevel(kStandInTaskbarClass, "");
    DestroyWindow(gone);
    EXPECT_EQ(app::FindStartButton(gone), nullptr);
}

TEST(StartButtonSearchShell, FindsTheTestDesktopsStartButton) {
    HWND taskbar = app::FindTaskbar();
    ASSERT_NE(taskbar, nullptr) << "the test desktop has a taskbar";
    EXPECT_EQ(app::FindStartButton(taskbar), FindWindowExA(taskbar, nullptr, "BUTTON", nullptr));
}

}  // namespace
