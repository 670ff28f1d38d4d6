// Finding the taskbar and its Start button, which belong to the shell, not to us.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace core {

HWND FindTaskbar();

// The window the notification icon's calls go to: Shell_NotifyIcon sends them to the first window
// of the taskbar's class, whoever made it.
HWND FindNotificationArea();

// The Start button of `taskbar`, in the form the running shell uses: its first "BUTTON" child
// (classic shells); else a top-level "Button" window of the taskbar's own thread (Windows 7); else a
// "Start" child (Windows 8 to 10). No taskbar, no Start button: a search without a parent would
// find some other program's top-level button.
HWND FindStartButton(HWND taskbar);

// An extra taskbar (one per further monitor, Windows 8 on) and its Start button.
struct SecondaryTaskbar {
    HWND taskbar;
    HWND start_button;
};

// At most this many extra taskbars are examined, with a Start button or without: one per monitor,
// and no desk has more. A program that made thousands of windows of that class must not make every
// tick cost thousands of calls.
constexpr size_t kMaxSecondaryTaskbars = 16;

// Every extra taskbar ("Shell_SecondaryTrayWnd") with its Start button: its "Start" child, else a
// "BUTTON" child. A taskbar without either is left out. A search costs one call per taskbar examined,
// plus one or two for its button.
std::vector<SecondaryTaskbar> FindSecondaryTaskbars();

// Where the shell's windows are looked for: the system's own by default; a test or the benchmark
// hands in its stand-ins.
struct ShellFinder {
    std::function<HWND()> taskbar = FindTaskbar;
    std::function<HWND(HWND taskbar)> start_button = FindStartButton;
    std::function<std::vector<SecondaryTaskbar>()> extras = FindSecondaryTaskbars;
    std::function<HWND()> notification_area = FindNotificationArea;
};

}  // namespace core
