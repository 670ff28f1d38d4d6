// Calls into the shell's windows that have to wait for the shell's thread: a sent message, a region,
// a change of style. The shell is another program whose thread may stop answering (hung, or its
// process stopped), and a thread blocked in a send still takes the messages sent to it but none of
// its own input: a wait there freezes our windows. So every such call goes through here:
// - a sent message waits at most what is left of one application's wait budget;
// - a window that did not answer in time is sent a probe (a WM_NULL whose answer comes back as a
//   callback), and neither it nor another window of its thread is asked anything until the probe
//   has come back;
// - a call that cannot be bounded (SetWindowRgn, SetWindowLong on another thread's window) is made
//   only on a window that has just answered.
// Windows of this thread answer at once, as a call on them runs here.
#pragma once

#include <windows.h>

#include <vector>

namespace core {

// The longest an application of the look (a tick, a handler's change, the load) waits on the
// shell, over all its calls: beyond it the rest of its calls are tried at the next application.
// Only the waits count, not the application's own work (building a long text outline).
constexpr DWORD kWaitBudgetMs = 50;

class ShellCalls {
  public:
    explicit ShellCalls(DWORD budget_ms = kWaitBudgetMs);
    ShellCalls(const ShellCalls&) = delete;
    ShellCalls& operator=(const ShellCalls&) = delete;

    // Whether `window` answers now: asked with a WM_NULL unless it answered in this application. A
    // window that is not answering a probe, or the spent budget, give false without a wait.
    bool Answers(HWND window);
    // WM_SETTEXT, bounded as above; false when the window did not take it (or is no window). Across
    // processes the system copies the text; a window of this process that takes it after the
    // timeout still reads `text`, so it must outlive the call.
    bool SetText(HWND window, const wchar_t* text);

    // Whether `window`, or another window of its thread, has a probe out: it did not answer, and
    // has not since.
    static bool Unanswered(HWND window);

  private:
    bool Send(HWND window, UINT message, LPARAM lparam);

    DWORD budget_ms_;
    DWORD waited_ms_ = 0;
    std::vector<HWND> answered_;  // windows of other threads that answered in this application
};

bool OfAnotherThread(HWND window);

}  // namespace core
