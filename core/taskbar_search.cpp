#include "core/taskbar_search.h"

namespace core {

HWND FindTaskbar() { return FindWindowW(L"Shell_TrayWnd", nullptr); }

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

std::vector<SecondaryTaskbar> FindSecondaryTaskbars() {
    std::vector<SecondaryTaskbar> found;
    // Every taskbar examined counts, with a Start button or without: each costs the search its calls.
    size_t examined = 0;
    for (HWND taskbar = FindWindowExW(nullptr, nullptr, L"Shell_SecondaryTrayWnd", nullptr);
         taskbar && examined < kMaxSecondaryTaskbars;
         taskbar = FindWindowExW(nullptr, taskbar, L"Shell_SecondaryTrayWnd", nullptr), ++examined) {
        HWND button = FindWindowExW(taskbar, nullptr, L"Start", nullptr);
        if (!button) button = FindWindowExW(taskbar, nullptr, L"BUTTON", nullptr);
        if (button) found.push_back({taskbar, button});
    }
    return found;
}

}  // namespace core
