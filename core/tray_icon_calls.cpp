#include "core/tray_icon_calls.h"

namespace core {

bool TrayIconCalls::Call(DWORD message, ShellCalls& calls) {
    if (!calls.Answers(find_notification_area_())) return false;
    NOTIFYICONDATAW record = record_;
    Shell_NotifyIconW(message, &record);
    return true;
}

void TrayIconCalls::Add(ShellCalls& calls) { add_owed_ = !Call(NIM_ADD, calls); }

void TrayIconCalls::RetryAdd(ShellCalls& calls) {
    if (add_owed_) Add(calls);
}

void TrayIconCalls::Remove(ShellCalls& calls) {
    add_owed_ = false;
    Call(NIM_DELETE, calls);
}

}  // namespace core
