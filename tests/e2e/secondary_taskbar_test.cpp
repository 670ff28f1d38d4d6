// Taskbars of further monitors: Wine has none, so the test makes stand-ins (a top-level
// "Shell_SecondaryTrayWnd" with a "Start" child, as later shells make one per extra monitor) while
// the real program runs, and watches each get the main Start button's look.
#include <string>

#include "e2e/pelmora_process.h"

namespace e2e {
namespace {

// One extra taskbar with its Start button, in a process of the shell's own (a stand-in run as
// explorer.exe): Pelmora restyles no other program's windows.
class StandInTaskbar {
  public:
    explicit StandInTaskbar(int screen_y) {
        EXPECT_TRUE(shell_.Start("secondary " + std::to_string(screen_y), true));
        taskbar_ = shell_.Taskbar();
        start_ = shell_.Button();
    }

    HWND taskbar() const { return taskbar_; }
    HWND start() const { return start_; }

    // Placement, label, outline and alpha of the main Start button in TimerTest's settings.
    bool HasTheLook() const {
        RECT r{};
        GetWindowRect(start_, &r);
        MapWindowPoints(nullptr, taskbar_, reinterpret_cast<POINT*>(&r), 2);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool outlined =
            GetWindowRgn(start_, region) != ERROR && PtInRegion(region, 40, 9) && !PtInRegion(region, 1, 1);
        DeleteObject(region);
        BYTE alpha = 0;
        DWORD flags = 0;
        const bool translucent =
            GetLayeredWindowAttributes(taskbar_, nullptr, &alpha, &flags) && alpha == 200;
        return r.left == 5 && r.top == 1 && r.right - r.left == 80 && r.bottom - r.top == 18 &&
               WindowText(start_) == "Go" && outlined && translucent;
    }

  private:
    StandInShell shell_;
    HWND taskbar_ = nullptr;
    HWND start_ = nullptr;
};

using SecondaryTaskbarTest = PelmoraTest;

TEST_F(SecondaryTaskbarTest, EveryExtraTaskbarGetsTheLookWhileItIsThere) {
    WriteSetting("Type", "Ellipse");
    WriteSetting("Text", "Go");
    WriteSetting("PX1", "5");
    WriteSetting("PX2", "80");
    WriteSetting("PY1", "1");
    WriteSetting("PY2", "18");
    WriteSetting("HS1", "200");
    WriteSetting("CheckMT", "1");
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);

    // A monitor plugged in after start-up, then a second one: each within two ticks.
    auto first = std::make_unique<StandInTaskbar>(0);
    EXPECT_TRUE(WaitUntil([&] { return first->HasTheLook(); }, 2500));
    auto second = std::make_unique<StandInTaskbar>(40);
    EXPECT_TRUE(WaitUntil([&] { return second->HasTheLook(); }, 2500));
    EXPECT_TRUE(first->HasTheLook());

    // One goes away: the program goes on, and what others change on the remaining one is put back.
    first.reset();
    SetWindowTextA(second->start(), "x");
    SetWindowRgn(second->start(), nullptr, TRUE);
    EXPECT_TRUE(WaitUntil([&] { return second->HasTheLook(); }, 2500));
    second.reset();
    Pause(1500);
    EXPECT_TRUE(p->Running());
    EXPECT_EQ(WindowText(StartButton()), "Go");
    EXPECT_TRUE(StartButtonRegionContains(40, 9));
}

}  // namespace
}  // namespace e2e
