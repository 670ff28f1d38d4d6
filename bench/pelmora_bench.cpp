// Pelmora's costs, each beside a floor measured in the same run: the re-apply tick against the
// bare system calls it has to make, start-up and memory (startup_figures.cpp), GDI objects and
// kernel handles over a day of ticks.
//
//   pelmora_bench [ticks-per-shape-for-leaks]   (default 86400: one day at one tick a second)
//
// Private bytes are read as PagefileUsage: Wine leaves PrivateUsage at 0.
// Runs in the test desktop (Wine's shell desktop); uses and then deletes HKCU\Velmontix\QVR.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "measure.h"
#include "main_window/main_window.h"
#include "core/taskbar_search.h"
#include "support/resource_count.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "win/text.h"
#include "startup_figures.h"

namespace {

using measure::Kb;
using measure::Memory;
using measure::Now;

// Median time of one call, in microseconds.
double MedianUs(int runs, const std::function<void()>& call) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = Now();
        call();
        times.push_back((Now() - t) * 1e6);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

int CountGdiObjects() { return resource_count::GdiObjects(); }
int CountKernelHandles() { return resource_count::KernelHandles(); }

void ClearSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey); }

void Store(const char* name, const char* text) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(name, settings::Value::Text(text));
}

HWND RealStartButton() {
    return FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "BUTTON", nullptr);
}

struct Shape {
    const char* label;
    const char* type;
    bool opaque_box;  // "Make Opaque" ticked: the alpha call and the HS1 write join the tick
};
constexpr Shape kShapes[] = {
    {"Ellipse", "Ellipse", false},
    {"Rectangle", "Rectangle", false},
    {"Text", "Text", false},
    {"Text + Make Opaque", "Text", true},
};

void StoreShape(const Shape& s) {
    ClearSettings();
    Store(names::kShapeType, s.type);
    Store(names::kOutlineText, "Start");
    Store(names::kFontFace, "Arial");
    Store(names::kFontSize, "10");
    if (s.opaque_box) {
        Store(names::kMakeOpaque, "1");
        Store(names::kAlpha, "200");
    }
}

void IgnoreExit(UINT) {}

std::unique_ptr<main_window::MainWindow> StartInProcess() {
    auto form = std::make_unique<main_window::MainWindow>();
    form->Create("");
    form->SetExitProcess(IgnoreExit);
    return form;
}

// One registry read as the settings store makes it: open, size, data, close (wide functions, as
// the program's).
void ReadValue(const char* name) {
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Velmontix\\QVR", 0, registry::kAccess, &key);
    const win::WideText wide_name(name);
    wchar_t buffer[64];
    DWORD type = 0, size = 0;
    RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, nullptr, &size);
    size = sizeof buffer;
    RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
}

void WriteValue(const char* name, const char* text) {
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Velmontix\\QVR", 0, registry::kAccess, &key);
    const win::WideText wide(text);
    RegSetValueExW(key, win::WideText(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

// The calls a tick cannot avoid, made directly.
double FloorTickUs(const Shape& s, main_window::MainWindow& f, HWND button, HWND taskbar) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font =
        CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, "Arial");
    HGDIOBJ old_font = SelectObject(dc, font);
    const win::WideText label(f.new_label_box.Text());
    const int x = f.x_slider.Value(), y = f.y_slider.Value(), w = f.width_slider.Value(),
              h = f.height_slider.Value();
    const bool text = std::string(s.type) == "Text";
    auto one = [&] {
        if (s.opaque_box) {
            SetLayeredWindowAttributes(taskbar, 0, 200, LWA_ALPHA);
            WriteValue(names::kAlpha, "200");
        }
        // The forms a tick has to use on the shell's button: no call may wait on a hung shell.
        SetWindowPos(button, nullptr, x, y, w, h, SWP_ASYNCWINDOWPOS);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label.c_str()), SMTO_ABORTIFHUNG,
                            250, &ignored);
        ReadValue(names::kShapeType);
        HRGN region = nullptr;
        if (text) {
            WriteValue(names::kShapeType, "Text");
            for (const char* n : {names::kFontFace, names::kOutlineText, names::kFontSize, names::kFontBold,
                                  names::kFontItalic, names::kFontStrikethrough, names::kFontUnderline})
                ReadValue(n);
            BeginPath(dc);
            TextOutW(dc, 0, 0, L"Start", 5);
            EndPath(dc);
            region = PathToRegion(dc);
        } else {
            RECT r{};
            GetWindowRect(button, &r);
            region = std::string(s.type) == "Ellipse" ? CreateEllipticRgn(0, 0, w, r.bottom - r.top)
                                                      : CreateRectRgn(0, 0, w, r.bottom - r.top);
        }
        if (!SetWindowRgn(button, region, TRUE)) DeleteObject(region);
    };
    for (int i = 0; i < 20; ++i) one();
    const double us = MedianUs(1000, one);
    SelectObject(dc, old_font);
    DeleteObject(font);
    DeleteDC(dc);
    return us;
}

void TickCost() {
    std::printf("\nTick cost (median of 1000, microseconds)\n");
    std::printf("%-22s %12s %12s %8s\n", "shape", "tick", "bare calls", "ratio");
    for (const Shape& s : kShapes) {
        StoreShape(s);
        std::unique_ptr<main_window::MainWindow> f = StartInProcess();
        for (int i = 0; i < 20; ++i) f->OnTick();
        const double tick = MedianUs(1000, [&] { f->OnTick(); });
        const double floor = FloorTickUs(s, *f, f->StartButton(), f->Taskbar());
        std::printf("%-22s %12.1f %12.1f %7.2fx\n", s.label, tick, floor, tick / floor);
        f->OnExitChosen();
    }
}

// The search for taskbars of further monitors, which every tick makes, beside the tick it is part
// of: with none (the test desktop) and with two stand-ins, each with a "Start" child.
void SecondaryTaskbarSearch() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    for (const char* name : {"Shell_SecondaryTrayWnd", "Start"}) {
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    StoreShape(kShapes[0]);
    std::unique_ptr<main_window::MainWindow> f = StartInProcess();
    std::printf("\nExtra taskbar search (median of 1000, microseconds)\n");
    std::printf("%-22s %12s %12s %8s\n", "extra taskbars", "search", "tick", "share");
    std::vector<HWND> stand_ins;
    for (int count : {0, 2}) {
        while (static_cast<int>(stand_ins.size()) < count) {
            HWND taskbar = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_SecondaryTrayWnd", "", WS_POPUP, 0, 0,
                                           600, 30, nullptr, nullptr, nullptr, nullptr);
            CreateWindowExA(0, "Start", "Start", WS_CHILD, 0, 0, 40, 20, taskbar, nullptr, nullptr, nullptr);
            stand_ins.push_back(taskbar);
        }
        for (int i = 0; i < 20; ++i) f->OnTick();
        const double search = MedianUs(1000, [] { core::FindSecondaryTaskbars(); });
        const double tick = MedianUs(1000, [&] { f->OnTick(); });
        std::printf("%-22d %12.1f %12.1f %7.1f%%\n", count, search, tick, 100.0 * search / tick);
    }
    for (HWND w : stand_ins) DestroyWindow(w);
    f->OnExitChosen();
}

void Leaks(int ticks) {
    std::printf("\nGDI objects and kernel handles over %d ticks (after 50 warm-up ticks)\n", ticks);
    std::printf("%-22s %10s %10s %10s %10s %8s\n", "shape", "GDI before", "GDI after", "handles", "after",
                "seconds");
    for (const Shape& s : kShapes) {
        StoreShape(s);
        std::unique_ptr<main_window::MainWindow> f = StartInProcess();
        for (int i = 0; i < 50; ++i) f->OnTick();
        const int gdi = CountGdiObjects(), handles = CountKernelHandles();
        const double t = Now();
        for (int i = 0; i < ticks; ++i) f->OnTick();
        const double seconds = Now() - t;
        std::printf("%-22s %10d %10d %10d %10d %8.1f\n", s.label, gdi, CountGdiObjects(), handles,
                    CountKernelHandles(), seconds);
        std::fflush(stdout);
        f->OnExitChosen();
    }
}

void MemoryOverTicks() {
    StoreShape(kShapes[2]);
    std::unique_ptr<main_window::MainWindow> f = StartInProcess();
    for (int i = 0; i < 50; ++i) f->OnTick();
    const PROCESS_MEMORY_COUNTERS_EX before = Memory(GetCurrentProcess());
    for (int i = 0; i < 10000; ++i) f->OnTick();
    const PROCESS_MEMORY_COUNTERS_EX after = Memory(GetCurrentProcess());
    std::printf("\nIn-process growth over 10,000 Text ticks: private %+.0f KB, working set %+.0f KB\n",
                Kb(after.PagefileUsage) - Kb(before.PagefileUsage),
                Kb(after.WorkingSetSize) - Kb(before.WorkingSetSize));
    f->OnExitChosen();
}

}  // namespace

int main(int argc, char** argv) {
    const int leak_ticks = argc > 1 ? std::atoi(argv[1]) : 86400;
    HWND button = RealStartButton();
    if (!button) {
        std::printf("no Start button: run this in Wine's shell desktop\n");
        return 1;
    }
    RECT place{};
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&place), 2);

    startup_figures::Print();
    TickCost();
    SecondaryTaskbarSearch();
    MemoryOverTicks();
    if (leak_ticks > 0) Leaks(leak_ticks);

    ClearSettings();
    SetWindowRgn(button, nullptr, TRUE);
    SetWindowPos(button, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(button, "Start");
    return 0;
}
