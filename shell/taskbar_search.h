// Finding the taskbar and its Start button, which belong to the shell, not to us. Other programs
// may make windows of the taskbar's class names (status bars and launchers do): only the shell's
// own are taken, and no window of another program is ever restyled.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace core {

// The process that made a window (0: none).
DWORD ProcessOf(HWND window);

// Whether a process is the shell's: the owner of the shell window where the system names one (as
// Windows does), else a process whose image is explorer.exe (Wine's shell desktop names none).
using ShellProcessTest = std::function<bool(DWORD process)>;
bool IsShellProcess(DWORD process);

// The first window of the taskbar's class that a process of the shell made.
HWND FindTaskbar(const ShellProcessTest& is_shell = IsShellProcess);

// The window the notification icon's calls go to: Shell_NotifyIcon sends them to the first window
// of the taskbar's class, whoever made it.
HWND FindNotificationArea();

// The Start button of `taskbar`, in the form the running shell uses: its first "BUTTON" child
// (classic shells); else a top-level "Button" window of the taskbar's own thread (Windows 7); else a
// "Start" child (Windows 8 to 10). No taskbar, no Start button: a search without a parent would
// find some other program's top-level button.
HWND FindStartButton(HWND taskbar);

// An extra taskbar (one per further monitor, Windows 8 on) and its Start button, if it has one.
struct SecondaryTaskbar {
    HWND taskbar;
    HWND start_button;  // null when it has none: the taskbar still gets the alpha
};

// At most this many extra taskbars are examined, with a Start button or without: one per monitor,
// and no desk has more. A program that made thousands of windows of that class must not make every
// tick cost thousands of calls.
constexpr size_t kMaxSecondaryTaskbars = 16;

// Every extra taskbar ("Shell_SecondaryTrayWnd") of the shell with its Start button: its "Start"
// child, else a "BUTTON" child, else none. A taskbar of another program is left out. A search costs
// a few calls per taskbar examined.
std::vector<SecondaryTaskbar> FindSecondaryTaskbars(const ShellProcessTest& is_shell = IsShellProcess);

// Where the shell's windows are looked for: the system's own by default; a test or the benchmark
// hands in its stand-ins.
struct ShellFinder {
    std::function<HWND()> taskbar = [] { return FindTaskbar(); };
    std::function<HWND(HWND taskbar)> start_button = FindStartButton;
    std::function<std::vector<SecondaryTaskbar>()> extras = [] { return FindSecondaryTaskbars(); };
    std::function<HWND()> notification_area = FindNotificationArea;
    // Which process made a taskbar: a new one is a shell restarted.
    std::function<DWORD(HWND window)> process_of = ProcessOf;
};

}  // namespace core
