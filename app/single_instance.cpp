#include "app/single_instance.h"

#include "look/command_line.h"
#include "shell/lower_integrity.h"
#include "shell/taskbar_search.h"
#include "shell/tray_icon.h"
#include "main_window/main_window.h"
#include "win/handles.h"
#include "win/text.h"

namespace app {

namespace {

constexpr DWORD kPollIntervalMs = 50;

DWORD MsUntil(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// Whether a Pelmora holds the session mutex, one still starting included. The handle is closed at
// once: held, it would keep the name in existence after that Pelmora ends.
bool SessionClaimed() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, win::Wide(kSessionMutexName).c_str());
    // Access denied: it exists, made by a Pelmora of another token (one started elevated).
    const bool claimed = mutex || GetLastError() == ERROR_ACCESS_DENIED;
    if (mutex) CloseHandle(mutex);
    return claimed;
}

// Posts Exit to `running` and waits, until `give_up_at`, for its process and then its window to go.
// False when the system refused the Exit.
bool PostExitAndWait(HWND running, ULONGLONG give_up_at) {
    const win::unique_handle process(OpenProcess(SYNCHRONIZE, FALSE, core::ProcessOf(running)));
    if (!PostMessageW(running, core::kExitMessage, 0, 0)) return !IsWindow(running);  // gone: not refused
    // An older Pelmora knows only the menu's "&Exit"; a newer one ends on the first and never reads
    // this, which the system refuses anyway when that one runs elevated (see MessagesFromLowerIntegrity).
    PostMessageW(running, WM_COMMAND, MAKEWPARAM(main_window::kMenuExit, 0), 0);
    if (process) WaitForSingleObject(process.get(), MsUntil(give_up_at));
    // Its windows go with it, a moment after the process itself.
    while (IsWindow(running) && GetTickCount64() < give_up_at) Sleep(kPollIntervalMs);
    return true;
}

}  // namespace

bool HandOverToRunningInstance(bool show, DWORD wait_ms) {
    const ULONGLONG give_up_at = GetTickCount64() + wait_ms;
    HWND first = nullptr;
    while (!(first = FindWindowW(win::Wide(main_window::kMainWindowClass).c_str(), nullptr))) {
        if (GetTickCount64() >= give_up_at) return false;
        Sleep(kPollIntervalMs);
    }
    if (show) {
        // Only the process the user just started may hand the foreground on: without this the first
        // one's window would come back behind whatever the user was working in.
        if (const DWORD first_pid = core::ProcessOf(first)) AllowSetForegroundWindow(first_pid);
        const LPARAM left_click = MAKELPARAM(WM_LBUTTONUP, 0);
        if (!PostMessageW(first, core::kTrayCallbackMessage, core::kTrayIconId, left_click)) return false;
    }
    return PostMessageW(first, core::kHandOverMessage, 0, 0) != FALSE;
}

bool EndRunningInstances(DWORD wait_ms) {
    const ULONGLONG give_up_at = GetTickCount64() + wait_ms;
    const win::WideText window_class = win::Wide(main_window::kMainWindowClass);
    bool exit_refused = false;
    for (;;) {
        const HWND running = FindWindowW(window_class.c_str(), nullptr);
        core::EndSight seen;
        seen.window = running != nullptr;
        seen.session_claimed = SessionClaimed();
        seen.time_left = GetTickCount64() < give_up_at;
        seen.exit_refused = exit_refused;
        switch (core::NextEndStep(seen)) {
            case core::EndStep::kSucceed:
                return true;
            case core::EndStep::kFail:
                return false;
            case core::EndStep::kWaitForWindow:
                Sleep(kPollIntervalMs);
                break;
            case core::EndStep::kEndWindow:
                exit_refused = !PostExitAndWait(running, give_up_at);
                break;
        }
    }
}

}  // namespace app
