// Shared helpers for the in-process tests: registry cleanup, a GDI object counter, message
// pumping, a parent window that forwards notifications to a ControlHost, and a guard that gives
// the test desktop's Start button back its look.
#pragma once

#include <windows.h>

#include "support/registry_support.h"
#include "support/resource_count.h"
#include "support/shell_reset.h"
#include "support/stand_ins.h"
#include "support/window_driver.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <utility>

#include "main_window/main_window.h"
#include "controls/controls.h"
#include "settings/registry.h"

namespace test_support {

// Live GDI objects of this process.
inline int CountGdiObjects() { return resource_count::GdiObjects(); }

inline void PumpMessages(DWORD milliseconds = 0) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds) Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// A plain top-level window that hands WM_COMMAND and WM_HSCROLL to a ControlHost, as the forms do.
class HostWindow {
  public:
    HostWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PelmoraTestHost";
        RegisterClassA(&wc);  // fails harmlessly once registered
        hwnd_ = CreateWindowExA(0, "PelmoraTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host_));
    }
    ~HostWindow() { DestroyWindow(hwnd_); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    controls::ControlHost& host() { return host_; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* host = reinterpret_cast<controls::ControlHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (host && (msg == WM_COMMAND || msg == WM_HSCROLL) && host->Forward(msg, wp, lp)) return 0;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    controls::ControlHost host_;
    HWND hwnd_ = nullptr;
};

// What the system sends a per-monitor aware window that reaches a monitor of another scale: the new
// DPI and the outer rectangle for the window's client size there (`outer_width`, when given,
// replaces the width that the client size implies), at the window's place.
inline void SendDpiChange(HWND window, int dpi, int client_width, int client_height, int outer_width = 0) {
    RECT outer{0, 0, client_width, client_height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    RECT suggested{};
    GetWindowRect(window, &suggested);
    suggested.right = suggested.left + (outer_width > 0 ? outer_width : outer.right - outer.left);
    suggested.bottom = suggested.top + (outer.bottom - outer.top);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// The height a control's font was asked for (negative: the em in pixels).
inline LONG FontHeightOf(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
}

// The size of a control's one line of text in the font it holds.
inline SIZE TextSizeOf(HWND control) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(control, text, 256);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

inline HWND FindStartButton() {
    return FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "BUTTON", nullptr);
}

// Records the Start button's place, size and label and gives them back, without a region.
class StartButtonRestorer {
  public:
    StartButtonRestorer() : button_(FindStartButton()) {
        if (!button_) return;
        GetWindowRect(button_, &rect_);
        MapWindowPoints(nullptr, GetParent(button_), reinterpret_cast<POINT*>(&rect_), 2);
        GetWindowTextA(button_, label_, sizeof label_);
    }
    ~StartButtonRestorer() {
        if (!button_) return;
        ForgetOwnLook(button_, GetParent(button_));
        SetWindowRgn(button_, nullptr, TRUE);
        SetWindowPos(button_, nullptr, rect_.left, rect_.top, rect_.right - rect_.left,
                     rect_.bottom - rect_.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowTextA(button_, label_);
    }
    StartButtonRestorer(const StartButtonRestorer&) = delete;
    StartButtonRestorer& operator=(const StartButtonRestorer&) = delete;

    HWND button() const { return button_; }

  private:
    HWND button_ = nullptr;
    RECT rect_{};
    char label_[256] = {};
};

// The shell's processes, and this test's own: its stand-ins for the taskbars of further monitors
// count as the shell's.
inline bool ShellOrThisProcess(DWORD process) {
    return process == GetCurrentProcessId() || core::IsShellProcess(process);
}

// The shell's windows as the program finds them, with this test's extra taskbars among them.
inline core::ShellFinder TestFinder() {
    core::ShellFinder finder;
    finder.extras = [] { return core::FindSecondaryTaskbars(ShellOrThisProcess); };
    return finder;
}

// The shell's windows as a test stands them in: this taskbar and Start button (either may be
// null), and the extra taskbars.
inline core::ShellFinder FinderOf(HWND taskbar, HWND start_button) {
    core::ShellFinder finder = TestFinder();
    finder.taskbar = [taskbar] { return taskbar; };
    finder.start_button = [start_button](HWND) { return start_button; };
    return finder;
}

// The program's environment in a test: "&Exit" ends nothing.
inline main_window::Environment TestEnvironment(core::ShellFinder shell = TestFinder()) {
    main_window::Environment environment;
    environment.end_process = [](UINT) {};
    environment.shell = std::move(shell);
    return environment;
}

// A window of this process's, found by its class as a person finds it on the screen; null when
// none is made.
inline HWND FindOwnWindow(const char* window_class) {
    return FindTopLevel(GetCurrentProcessId(), window_class);
}

// A main window made as the program makes it (Create runs Load), with its timer stopped so that no
// tick changes the Start button behind the test's back: a test ticks it with Tick(), as the timer
// would. Destroyed with its icon.
class RunningMainWindow {
  public:
    explicit RunningMainWindow(const std::string& arguments = "",
                               main_window::Environment environment = TestEnvironment())
        : form_(std::make_unique<main_window::MainWindow>(std::move(environment))) {
        created_ = form_->Create(arguments);
        KillTimer(form_->hwnd(), main_window::kReapplyTimerId);
    }
    explicit RunningMainWindow(main_window::Environment environment)
        : RunningMainWindow("", std::move(environment)) {}
    RunningMainWindow(const RunningMainWindow&) = delete;
    RunningMainWindow& operator=(const RunningMainWindow&) = delete;

    bool created() const { return created_; }
    main_window::MainWindow& operator*() { return *form_; }
    main_window::MainWindow* operator->() { return form_.get(); }

    // The main window's controls, as a person reaches them.
    Driver driver() const { return Driver(form_->hwnd()); }
    // Ticks, as the timer raises them, with the messages that come between two ticks taken as the
    // program's loop takes them (a window's answer to a probe among them).
    void Tick(int times = 1) const {
        for (int i = 0; i < times; ++i) {
            PumpMessages();
            SendMessageW(form_->hwnd(), WM_TIMER, main_window::kReapplyTimerId, 0);
        }
    }
    // The label in the new-label box applied, with a click on its picture.
    void ApplyLabel() const { driver().ClickIn(PictureBounds(main_window::kApplyLabelPicture)); }
    // The customize window, opened as a person opens it: with a click on its picture.
    Driver OpenCustomize() const {
        driver().ClickIn(PictureBounds(main_window::kCustomizePicture));
        return Driver(FindOwnWindow(customize_window::kCustomizeWindowClass));
    }
    // Where a picture of the main window lies, in client pixels at the window's DPI.
    RECT PictureBounds(const win::TwipsRect& picture) const {
        return win::TwipsToClientRect(picture, form_->dpi());
    }

  private:
    std::unique_ptr<main_window::MainWindow> form_;
    bool created_ = false;
};

}  // namespace test_support
