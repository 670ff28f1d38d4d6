// Four taskbars of further monitors in a process of their own, as the benchmark's stand-ins for a
// shell whose thread stops answering: each a top-level "Shell_SecondaryTrayWnd" with a "Start"
// child, the layout the search for further taskbars finds.
//
//   stand_in_taskbars <go-event> <ready-event> hang|answer <milliseconds>
//
// The windows are made once <go-event> is signalled; <ready-event> is signalled when they exist.
// "hang": the thread then sleeps for the given time without taking a message, destroys the windows
// and ends. "answer": it takes its messages for that time instead.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "support/stand_ins.h"

namespace {

constexpr int kTaskbars = 4;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, argv[1]);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const bool hang = std::strcmp(argv[3], "hang") == 0;
    const DWORD milliseconds = static_cast<DWORD>(std::atoi(argv[4]));
    if (!go || !ready) return 3;

    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the windows do
    WaitForSingleObject(go, INFINITE);

    HWND taskbars[kTaskbars] = {};
    for (HWND& taskbar : taskbars)
        taskbar = test_support::MakeStandInTaskbar("Shell_SecondaryTrayWnd", "Start").taskbar;
    SetEvent(ready);

    if (hang) {
        Sleep(milliseconds);  // what a hung shell does: nothing, messages included
    } else {
        const ULONGLONG until = GetTickCount64() + milliseconds;
        for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
    }
    for (HWND taskbar : taskbars) DestroyWindow(taskbar);
    CloseHandle(go);
    CloseHandle(ready);
    return 0;
}
