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

}  // namespace app
