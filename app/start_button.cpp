#include "app/start_button.h"

namespace app {

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
    for (HWND taskbar = FindWindowExA(nullptr, nullptr, "Shell_SecondaryTrayWnd", nullptr);
         taskbar && found.size() < kMaxSecondaryTaskbars;
         taskbar = FindWindowExA(nullptr, taskbar, "Shell_SecondaryTrayWnd", nullptr)) {
        HWND button = FindWindowExA(taskbar, nullptr, "Start", nullptr);
        if (!button) button = FindWindowExA(taskbar, nullptr, "BUTTON", nullptr);
        if (button) found.push_back({taskbar, button});
    }
    return found;
}

void PlaceStartButton(HWND start_button, HWND taskbar, int x, int y, int width, int height) {
    if (start_button && !(GetWindowLongA(start_button, GWL_STYLE) & WS_CHILD)) {
        POINT at{x, y};
        if (!taskbar || !ClientToScreen(taskbar, &at)) return;  // no taskbar to be relative to
        SetWindowPos(start_button, nullptr, at.x, at.y, width, height, SWP_NOACTIVATE | SWP_NOZORDER);
        return;
    }
    SetWindowPos(start_button, nullptr, x, y, width, height, 0);
}

}  // namespace app
