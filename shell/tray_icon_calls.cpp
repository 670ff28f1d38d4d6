#include "shell/tray_icon_calls.h"

namespace core {

bool TrayIconCalls::Call(DWORD message, const NOTIFYICONDATAW& record, ShellCalls& calls) {
    if (!calls.Answers(find_notification_area_())) return false;
    NOTIFYICONDATAW sent = record;
    Shell_NotifyIconW(message, &sent);
    return true;
}

void TrayIconCalls::Add(ShellCalls& calls) {
    add_owed_ = !Call(NIM_ADD, record_, calls);
    ShowOwedBalloon(calls);
}

void TrayIconCalls::RetryAdd(ShellCalls& calls) {
    if (add_owed_) Add(calls);
    ShowOwedBalloon(calls);
}

void TrayIconCalls::Remove(ShellCalls& calls) {
    add_owed_ = false;
    balloon_owed_ = false;
    Call(NIM_DELETE, record_, calls);
}

void TrayIconCalls::ShowBalloon(const std::string& title, const std::string& text, ShellCalls& calls) {
    balloon_title_ = win::Wide(title);
    balloon_text_ = win::Wide(text);
    balloon_owed_ = true;
    ShowOwedBalloon(calls);
}

void TrayIconCalls::ShowOwedBalloon(ShellCalls& calls) {
    if (!balloon_owed_ || add_owed_) return;  // a balloon needs its icon
    NOTIFYICONDATAW balloon = record_;
    // The second form of the record is the first with balloons.
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    lstrcpynW(balloon.szInfoTitle, balloon_title_.c_str(), ARRAYSIZE(balloon.szInfoTitle));
    lstrcpynW(balloon.szInfo, balloon_text_.c_str(), ARRAYSIZE(balloon.szInfo));
    balloon.uTimeout = kBalloonTimeoutMs;
    balloon.dwInfoFlags = NIIF_INFO;
    balloon_owed_ = !Call(NIM_MODIFY, balloon, calls);
}

}  // namespace core
