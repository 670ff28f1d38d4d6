// The notification-area icon's calls. Shell_NotifyIcon sends to the shell's tray window and waits
// for it without a limit, so a call is made only while the tray answers now (core/shell_calls.h):
// an add the tray is not answering for is made again at a later tick, and a removal it is not
// answering for is left to the shell, which removes a dead process's icon itself the next time it
// looks at it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <utility>

#include "shell/shell_calls.h"
#include "win/text.h"

namespace core {

// How long a balloon shows, where the system lets a program say.
constexpr UINT kBalloonTimeoutMs = 10000;

class TrayIconCalls {
  public:
    // The record every call passes (the icon and the window in it must outlive this object), and
    // where the notification area is found.
    TrayIconCalls(const NOTIFYICONDATAW& record, std::function<HWND()> find_notification_area)
        : record_(record), find_notification_area_(std::move(find_notification_area)) {}

    // Adds the icon now, or at a later RetryAdd when the tray is not answering; a second add fails
    // and leaves the one icon.
    void Add(ShellCalls& calls);
    // The add still owed, when the tray answers now, then a balloon still owed.
    void RetryAdd(ShellCalls& calls);
    void Remove(ShellCalls& calls);
    // A balloon on the icon with a title and a text (UTF-8), now or once the icon is there and the
    // tray answers. One balloon is owed at most: a later one replaces it.
    void ShowBalloon(const std::string& title, const std::string& text, ShellCalls& calls);

  private:
    bool Call(DWORD message, const NOTIFYICONDATAW& record, ShellCalls& calls);
    void ShowOwedBalloon(ShellCalls& calls);

    NOTIFYICONDATAW record_;
    std::function<HWND()> find_notification_area_;
    bool add_owed_ = false;
    bool balloon_owed_ = false;
    win::WideText balloon_title_, balloon_text_;
};

}  // namespace core
