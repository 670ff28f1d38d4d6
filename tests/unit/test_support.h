// Shared helpers for the in-process tests: registry cleanup, a GDI object counter, message
// pumping, a parent window that forwards notifications to a ControlHost, and a guard that gives
// the test desktop's Start button back its look.
#pragma once

#include <windows.h>

#include "support/resource_count.h"

#include <shellapi.h>

#include <memory>
#include <string>

#include "app/form1.h"
#include "controls/controls.h"
#include "settings/registry.h"

namespace test_support {

// Deletes a key below HKEY_CURRENT_USER with everything under it; a missing key is fine.
inline void DeleteKeyTree(const char* path) { RegDeleteTreeA(HKEY_CURRENT_USER, path); }

inline bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Names of the values in a key, in the order the registry lists them.
inline std::string ValueNames(const char* path) {
    std::string names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (!names.empty()) names += ',';
        names += name;
    }
    RegCloseKey(key);
    return names;
}

// The program's settings key and its autostart value, cleared before and after each test.
class CleanSettings {
public:
    CleanSettings() { Clear(); }
    ~CleanSettings() { Clear(); }
    CleanSettings(const CleanSettings&) = delete;
    CleanSettings& operator=(const CleanSettings&) = delete;

private:
    static void Clear() {
        DeleteKeyTree(registry::kSettingsKey);
        HKEY run = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, registry::kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, registry::kRunValueName);
            RegCloseKey(run);
        }
    }
};

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

// A main window made as the program makes it (Create runs Form_Load), with its timer stopped so
// that no tick changes the Start button behind the test's back. Destroyed with its icon.
class RunningForm1 {
public:
    explicit RunningForm1(const std::string& arguments = "") : form_(std::make_unique<app::Form1>()) {
        form_->SetExitProcess([](UINT) {});
        created_ = form_->Create(arguments);
        form_->Timer1.Stop();
    }
    ~RunningForm1() {
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = form_->hwnd();
        icon.uID = 1;
        Shell_NotifyIconA(NIM_DELETE, &icon);
        form_.reset();
    }
    RunningForm1(const RunningForm1&) = delete;
    RunningForm1& operator=(const RunningForm1&) = delete;

    bool created() const { return created_; }
    app::Form1& operator*() { return *form_; }
    app::Form1* operator->() { return form_.get(); }

private:
    std::unique_ptr<app::Form1> form_;
    bool created_ = false;
};

}  // namespace test_support
