#include "app/single_instance.h"

#include "core/tray_icon.h"
#include "main_window/main_window.h"
#include "win/text.h"

namespace app {

namespace {
constexpr DWORD kPollIntervalMs = 50;
}  // namespace

bool ShowRunningInstance(DWORD wait_ms) {
    const ULONGLONG give_up_at = GetTickCount64() + wait_ms;
    HWND first = nullptr;
    while (!(first = FindWindowW(win::Wide(main_window::kMainWindowClass).c_str(), nullptr))) {
        if (GetTickCount64() >= give_up_at) return false;
        Sleep(kPollIntervalMs);
    }
    // Only the process the user just started may hand the foreground on: without this the first
    // one's window would come back behind whatever the user was working in.
    DWORD first_pid = 0;
    GetWindowThreadProcessId(first, &first_pid);
    if (first_pid) AllowSetForegroundWindow(first_pid);
    const LPARAM left_click = MAKELPARAM(WM_LBUTTONUP, 0);
    return PostMessageW(first, core::kTrayCallbackMessage, core::kTrayIconId, left_click) != FALSE;
}

}  // namespace app
