#include "core/taskbar_search.h"

namespace core {

HWND FindTaskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

HWND FindStartButton(HWND taskbar) {
    if (!taskbar || !IsWindow(taskbar)) return nullptr;
    if (HWND button = FindWindowExA(taskbar, nullptr, "BUTTON", nullptr)) return button;
    const DWORD taskbar_thread = GetWindowThreadProcessId(taskbar, nullptr);
    for (HWND w = FindWindowExA(nullptr, nullptr, "Button", nullptr); w;
         w = FindWindowExA(nullptr, w, "Button", nullptr)) {
        if (GetWindowThreadProcessId(w, nullptr) == taskbar_thread) return w;
    }
    return FindWindowExA(taskbar, nullptr, "Start", nullptr);
}

std::vector<SecondaryTaskbar> FindSecondaryTaskbars() {
    std::vector<SecondaryTaskbar> found;
    // Every taskbar examined counts, with a Start button or without: each costs the search its calls.
    size_t examined = 0;
    for (HWND taskbar = FindWindowExA(nullptr, nullptr, "Shell_SecondaryTrayWnd", nullptr);
         taskbar && examined < kMaxSecondaryTaskbars;
         taskbar = FindWindowExA(nullptr, taskbar, "Shell_SecondaryTrayWnd", nullptr), ++examined) {
        HWND button = FindWindowExA(taskbar, nullptr, "Start", nullptr);
        if (!button) button = FindWindowExA(taskbar, nullptr, "BUTTON", nullptr);
        if (button) found.push_back({taskbar, button});
    }
    return found;
}

}  // namespace core
