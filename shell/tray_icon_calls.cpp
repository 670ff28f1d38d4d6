#include "shell/tray_icon_calls.h"

#include <utility>

namespace core {

NotificationArea SystemNotificationArea(std::function<HWND()> find) {
    return {
        [find = std::move(find)](ShellCalls& calls) { return calls.Answers(find()); },
        [](DWORD message, NOTIFYICONDATAW& record) { return Shell_NotifyIconW(message, &record) != FALSE; }};
}

TrayIconCalls::TrayIconCalls(const NOTIFYICONDATAW& record, NotificationArea area)
    : record_(record), area_(std::move(area)) {}

bool TrayIconCalls::Call(DWORD message, const NOTIFYICONDATAW& record, ShellCalls& calls) {
    if (!area_.answers(calls)) return false;
    NOTIFYICONDATAW sent = record;
    return area_.notify(message, sent);
}

void TrayIconCalls::Add(ShellCalls& calls) {
    icon_ = Icon::kShown;  // an add asked for while this one waits may owe it again
    if (!Call(NIM_ADD, record_, calls) && !Call(NIM_MODIFY, record_, calls)) icon_ = Icon::kOwed;
    ShowOwedBalloon(calls);
}

void TrayIconCalls::Retry(ShellCalls& calls) {
    if (icon_ == Icon::kOwed)
        Add(calls);
    else
        ShowOwedBalloon(calls);
}

void TrayIconCalls::Remove() {
    balloon_owed_ = false;
    const Icon icon = std::exchange(icon_, Icon::kNone);
    if (icon == Icon::kNone) return;  // none of ours is there
    // An owed add may have been made all the same: a busy shell can take the add and still time
    // the call out. A removal refused for an icon that is not there is not tried again.
    const int tries = icon == Icon::kShown ? kRemovalTries : 1;
    for (int tried = 0; tried < tries; ++tried) {
        if (tried) Sleep(kRemovalRetryMs);
        ShellCalls calls;  // pinged afresh: the tray may have stopped since the last try
        if (!area_.answers(calls) || Call(NIM_DELETE, record_, calls)) return;
    }
}

void TrayIconCalls::ShowBalloon(const std::string& title, const std::string& text, ShellCalls& calls) {
    balloon_title_ = win::Wide(title);
    balloon_text_ = win::Wide(text);
    balloon_owed_ = true;
    ShowOwedBalloon(calls);
}

void TrayIconCalls::ShowOwedBalloon(ShellCalls& calls) {
    if (!balloon_owed_ || icon_ != Icon::kShown) return;  // a balloon needs its icon
    NOTIFYICONDATAW balloon = record_;
    // The second form of the record is the first with balloons.
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    lstrcpynW(balloon.szInfoTitle, balloon_title_.c_str(), ARRAYSIZE(balloon.szInfoTitle));
    lstrcpynW(balloon.szInfo, balloon_text_.c_str(), ARRAYSIZE(balloon.szInfo));
    balloon.uTimeout = kBalloonTimeoutMs;
    balloon.dwInfoFlags = NIIF_INFO;
    balloon_owed_ = false;  // a balloon asked for while this one waits may owe one again
    if (!Call(NIM_MODIFY, balloon, calls)) balloon_owed_ = true;
}

}  // namespace core
