#include "shell/taskbar_search.h"

#include <cwchar>

#include "win/handles.h"

namespace core {

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

namespace {

bool ImageIsExplorer(DWORD process) {
    win::unique_handle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!handle) return false;
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameW(handle.get(), 0, path, &length)) return false;
    const wchar_t* name = wcsrchr(path, L'\\');
    return lstrcmpiW(name ? name + 1 : path, L"explorer.exe") == 0;
}

}  // namespace

bool IsShellProcess(DWORD process) {
    if (!process) return false;
    if (HWND shell = GetShellWindow()) return ProcessOf(shell) == process;
    return ImageIsExplorer(process);
}

HWND FindTaskbar(const ShellProcessTest& is_shell) {
    for (HWND taskbar = FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr); taskbar;
         taskbar = FindWindowExW(nullptr, taskbar, L"Shell_TrayWnd", nullptr))
        if (is_shell(ProcessOf(taskbar))) return taskbar;
    return nullptr;
}

HWND FindNotificationArea() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

HWND FindStartButton(HWND taskbar) {
    if (!taskbar || !IsWindow(taskbar)) return nullptr;
    if (HWND button = FindWindowExW(taskbar, nullptr, L"BUTTON", nullptr)) return button;
    const DWORD taskbar_thread = GetWindowThreadProcessId(taskbar, nullptr);
    for (HWND w = FindWindowExW(nullptr, nullptr, L"Button", nullptr); w;
         w = FindWindowExW(nullptr, w, L"Button", nullptr)) {
        if (GetWindowThreadProcessId(w, nullptr) == taskbar_thread) return w;
    }
    return FindWindowExW(taskbar, nullptr, L"Start", nullptr);
}

std::vector<SecondaryTaskbar> FindSecondaryTaskbars(const ShellProcessTest& is_shell) {
    std::vector<SecondaryTaskbar> found;
    // Every taskbar examined counts, with a Start button or without: each costs the search its calls.
    size_t examined = 0;
    for (HWND taskbar = FindWindowExW(nullptr, nullptr, L"Shell_SecondaryTrayWnd", nullptr);
         taskbar && examined < kMaxSecondaryTaskbars;
         taskbar = FindWindowExW(nullptr, taskbar, L"Shell_SecondaryTrayWnd", nullptr), ++examined) {
        if (!is_shell(ProcessOf(taskbar))) continue;
        HWND button = FindWindowExW(taskbar, nullptr, L"Start", nullptr);
        if (!button) button = FindWindowExW(taskbar, nullptr, L"BUTTON", nullptr);
        found.push_back({taskbar, button});  // without a button it still gets the alpha
    }
    return found;
}

}  // namespace core
