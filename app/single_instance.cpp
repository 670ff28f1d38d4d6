#include "app/single_instance.h"

#include "shell/tray_icon.h"
#include "main_window/main_window.h"
#include "win/handles.h"
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

bool EndRunningInstances(DWORD wait_ms) {
    const ULONGLONG give_up_at = GetTickCount64() + wait_ms;
    const win::WideText window_class = win::Wide(main_window::kMainWindowClass);
    while (HWND running = FindWindowW(window_class.c_str(), nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(running, &pid);
        const win::unique_handle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
        PostMessageW(running, WM_COMMAND, MAKEWPARAM(main_window::kMenuExit, 0), 0);
        const ULONGLONG now = GetTickCount64();
        if (process &&
            (now >= give_up_at ||
             WaitForSingleObject(process.get(), static_cast<DWORD>(give_up_at - now)) != WAIT_OBJECT_0))
            return false;  // it does not end (hung, or it refuses messages from this one)
        // Its windows go with it, a moment after the process itself.
        while (IsWindow(running)) {
            if (GetTickCount64() >= give_up_at) return false;
            Sleep(kPollIntervalMs);
        }
    }
    return true;
}

}  // namespace app
