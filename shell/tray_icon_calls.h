// The notification-area icon's calls. Shell_NotifyIcon sends to the shell's tray window and waits
// for it without a limit, so a call is made only while the tray answers now (shell/shell_calls.h).
// A ping that answers is not a call taken: the shell may refuse it (at logon it refuses adds for a
// while), and says so in Shell_NotifyIcon's answer. So:
// - an add the tray is not answering for, or refuses, is owed and made again at the next Retry
//   (once a second, whether restyling runs or not). A refused add of an icon that is already there
//   is no failure: a modify of the same record that the shell takes says it is there;
// - a balloon is owed the same way, and waits for its icon;
// - a removal comes at the end, when there is no later second to owe it to: a refused one is tried
//   again up to kRemovalTries times, kRemovalRetryMs apart, each after a fresh ping, and the tries
//   end as soon as the tray does not answer; so the end waits at most about a quarter of a second.
//   Whatever is still refused then, or not answered, is left to the shell, which removes a dead
//   process's icon itself the next time it looks at it. An icon still owed is removed too (tried
//   once): the shell may have made an add whose call it timed out.
// A call sent while another waits (the shell's sent messages, a "TaskbarCreated" among them, reach
// us during the wait) only ever adds to what is owed.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "shell/shell_calls.h"
#include "win/text.h"

namespace core {

// How long a balloon shows, where the system lets a program say.
constexpr UINT kBalloonTimeoutMs = 10000;
// A refused removal at the end: how often it is tried in all, and how far apart.
constexpr int kRemovalTries = 3;
constexpr DWORD kRemovalRetryMs = 50;

// The shell's notification area as the icon's calls reach it; a test hands in a stand-in.
struct NotificationArea {
    // Whether the tray answers now: no call is sent to it otherwise.
    std::function<bool(ShellCalls& calls)> answers;
    // Shell_NotifyIcon: whether the shell took the call.
    std::function<bool(DWORD message, NOTIFYICONDATAW& record)> notify;
};
// The system's: the tray window `find` finds (the one Shell_NotifyIconW sends to), and
// Shell_NotifyIconW.
NotificationArea SystemNotificationArea(std::function<HWND()> find);

class TrayIconCalls {
  public:
    // The record every call passes (the icon and the window in it must outlive this object).
    TrayIconCalls(const NOTIFYICONDATAW& record, NotificationArea area);

    // Adds the icon now, or owes it.
    void Add(ShellCalls& calls);
    // What is owed, if the tray takes it now: the add, then the balloon.
    void Retry(ShellCalls& calls);
    // Takes the icon away for good, at the end (above); nothing is owed after it.
    void Remove();
    // A balloon on the icon with a title and a text (UTF-8), now or once the icon is there and the
    // tray takes it. One balloon is owed at most: a later one replaces it.
    void ShowBalloon(const std::string& title, const std::string& text, ShellCalls& calls);

  private:
    enum class Icon { kNone, kOwed, kShown };

    bool Call(DWORD message, const NOTIFYICONDATAW& record, ShellCalls& calls);
    void ShowOwedBalloon(ShellCalls& calls);

    NOTIFYICONDATAW record_;
    NotificationArea area_;
    Icon icon_ = Icon::kNone;
    bool balloon_owed_ = false;
    win::WideText balloon_title_, balloon_text_;
};

}  // namespace core
