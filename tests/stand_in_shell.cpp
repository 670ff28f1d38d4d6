// A stand-in for a shell's taskbar in a process of its own, for the end-to-end tests:
//
//   stand_in_shell taskbar [--no-button] [--announce] [--refuse MS] [--record FILE]
//   stand_in_shell secondary Y
//
// "taskbar" makes a topmost, shown "Shell_TrayWnd" over the screen's bottom with a "BUTTON" child
// "Start" (none with --no-button); "secondary" makes a shown "Shell_SecondaryTrayWnd" at (100, Y)
// with a "Start" child, as Windows 8 to 10 make one for each further monitor. --announce broadcasts
// "TaskbarCreated" once the windows exist, as a shell that starts again does. --refuse: its tray
// refuses every call for MS ms, as at logon. --record appends the text of each balloon it shows to
// FILE, a line each. It runs until its window is closed. Run as a copy named explorer.exe it is
// taken for the shell; under another name it is any other program that made such a window.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

const char* record_path = nullptr;
DWORD refuse_until = 0;
std::set<std::pair<LONG, UINT>> icons;  // window and id

// How Wine's shell32 hands a notification-area call to the taskbar (WM_COPYDATA, dwData the call).
struct WineNotifyData {
    LONG window;
    UINT id, flags, callback_message;
    WCHAR tip[128];
    DWORD state, state_mask;
    WCHAR info[256];
};

void Record(const WineNotifyData* data) {
    if (!record_path || !(data->flags & NIF_INFO)) return;
    char info[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, data->info, -1, info, sizeof info, nullptr, nullptr);
    if (FILE* file = std::fopen(record_path, "a")) {
        std::fprintf(file, "%s\n", info);
        std::fclose(file);
    }
}

// Whether the tray takes a call: as the shell's, it refuses an add of an icon it holds and any
// other call on one it does not.
BOOL Take(const COPYDATASTRUCT& call) {
    if (call.cbData < sizeof(WineNotifyData) || GetTickCount() < refuse_until) return FALSE;
    const auto* data = static_cast<const WineNotifyData*>(call.lpData);
    const std::pair<LONG, UINT> icon{data->window, data->id};
    if (call.dwData == NIM_ADD) return icons.insert(icon).second;
    if (call.dwData == NIM_DELETE) return icons.erase(icon) != 0;
    if (!icons.count(icon)) return FALSE;
    Record(data);
    return TRUE;
}

LRESULT CALLBACK TaskbarProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COPYDATA:
            return Take(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, msg, wp, lp);
    }
}

HWND Make(const char* window_class, DWORD ex_style, int x, int y, int width, int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TaskbarProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = window_class;
    RegisterClassA(&wc);
    return CreateWindowExA(ex_style | WS_EX_TOOLWINDOW, window_class, "", WS_POPUP, x, y, width, height,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const bool secondary = std::strcmp(argv[1], "secondary") == 0;
    bool button = true, announce = false;
    int y = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-button") == 0)
            button = false;
        else if (std::strcmp(argv[i], "--announce") == 0)
            announce = true;
        else if (std::strcmp(argv[i], "--refuse") == 0 && i + 1 < argc)
            refuse_until = GetTickCount() + std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--record") == 0 && i + 1 < argc)
            record_path = argv[++i];
        else
            y = std::atoi(argv[i]);
    }
    HWND taskbar = secondary ? Make("Shell_SecondaryTrayWnd", 0, 100, y, 600, 30)
                             : Make("Shell_TrayWnd", WS_EX_TOPMOST, 0, GetSystemMetrics(SM_CYSCREEN) - 30,
                                    GetSystemMetrics(SM_CXSCREEN), 30);
    if (!taskbar) return 3;
    WNDCLASSA start{};
    start.lpfnWndProc = DefWindowProcA;
    start.hInstance = GetModuleHandleA(nullptr);
    start.lpszClassName = "Start";
    if (secondary) RegisterClassA(&start);
    if (button)
        CreateWindowExA(0, secondary ? "Start" : "BUTTON", "Start", WS_CHILD | WS_VISIBLE, 0, 0, 60, 30,
                        taskbar, nullptr, nullptr, nullptr);
    // Shown once whole: whoever finds it shown finds its button too.
    ShowWindow(taskbar, SW_SHOWNOACTIVATE);
    if (announce) SendNotifyMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
