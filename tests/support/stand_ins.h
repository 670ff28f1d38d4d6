// Windows that stand in for the shell's, made by the calling thread: a taskbar of the shell's class
// (or a test's own) with a Start button child. Each class is registered once, with the system's
// default window procedure; a test that watches a stand-in's messages subclasses that one window,
// so that no test's procedure stays behind in a class that a later test registers again.
#pragma once

#include <windows.h>

namespace test_support {

constexpr const char* kStandInTaskbarClass = "PelmoraTestStandInTaskbar";

// Registers a class of this program's own under the name, unless a class of that name is known
// already (the system's "Button" must stay the system's).
inline void RegisterStandInClass(const char* window_class) {
    WNDCLASSEXA known{};
    known.cbSize = sizeof known;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), window_class, &known)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = window_class;
    RegisterClassA(&wc);
}

// A top-level window of `window_class`, unshown, where a taskbar lies: the screen's bottom.
inline HWND MakeStandInTopLevel(const char* window_class, DWORD ex_style = WS_EX_TOOLWINDOW) {
    RegisterStandInClass(window_class);
    return CreateWindowExA(ex_style, window_class, "", WS_POPUP, 0, 700, 800, 40, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A Start button: a child of `taskbar`, 40 x 20 at its corner, labelled "Start".
inline HWND MakeStandInButton(HWND taskbar, const char* window_class = "BUTTON", DWORD style = WS_VISIBLE) {
    RegisterStandInClass(window_class);
    return CreateWindowExA(0, window_class, "Start", WS_CHILD | style, 0, 0, 40, 20, taskbar, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

struct StandInTaskbar {
    HWND taskbar = nullptr;
    HWND button = nullptr;
};

// A taskbar with its Start button; destroying the taskbar takes the button along.
inline StandInTaskbar MakeStandInTaskbar(const char* window_class = kStandInTaskbarClass,
                                         const char* button_class = "BUTTON",
                                         DWORD ex_style = WS_EX_TOOLWINDOW) {
    StandInTaskbar made;
    made.taskbar = MakeStandInTopLevel(window_class, ex_style);
    made.button = MakeStandInButton(made.taskbar, button_class);
    return made;
}

}  // namespace test_support
