// The notification-area icon's calls, made by a thread that does nothing else. Shell_NotifyIcon
// sends to the shell's tray window and waits for it without a limit: made on the window's thread, a
// hung or stopped shell would stop every window of ours with it. The calls are made in the order
// asked; the window's thread never waits for them, except at the end for a bounded moment.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace core {

// How long the end waits for the icon's removal: a shell that does not take it in that time removes
// a dead process's icon itself the next time it looks at it.
constexpr DWORD kTrayIconRemovalWaitMs = 500;

class TrayIconCalls {
  public:
    // The record every call passes; the icon and the window in it must outlive this object.
    explicit TrayIconCalls(const NOTIFYICONDATAW& record);
    // Ends the thread once its calls are made; one still waiting on the shell ends with the process.
    ~TrayIconCalls();
    TrayIconCalls(const TrayIconCalls&) = delete;
    TrayIconCalls& operator=(const TrayIconCalls&) = delete;

    void Add();     // a second add fails and leaves the one icon
    void Remove();  // the icon goes
    // Waits until every call asked for so far has been made, at most `timeout_ms`; false when the
    // shell still holds one.
    bool WaitUntilMade(DWORD timeout_ms);

  private:
    struct Worker;
    void Ask(DWORD call);

    Worker* worker_ = nullptr;  // shared with the thread, which may outlive this object
    DWORD thread_id_ = 0;
};

}  // namespace core
