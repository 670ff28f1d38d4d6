// Pelmora's costs, each beside a floor measured in the same run: the re-apply tick (idle, and after
// another program changed the shell's windows) against the bare system calls of a full
// re-application, start-up and memory (startup_figures.cpp), GDI objects and kernel handles over a
// day of ticks, and how long a posted message waits in Pelmora's queue while the shell does not
// answer (queue_waits.cpp).
//
//   pelmora_bench [ticks-per-shape-for-leaks [parts]]
// The tick count defaults to 86400 (one day at one tick a second); parts, separated by commas, are
// any of startup, ticks, search, memory, leaks, waits (default: all).
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

#include "environment.h"
#include "measure.h"
#include "main_window/main_window.h"
#include "shell/taskbar_search.h"
#include "support/registry_support.h"
#include "support/resource_count.h"
#include "support/stand_ins.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "win/text.h"
#include "queue_waits.h"
#include "startup_figures.h"

namespace {

using measure::Kb;
using measure::Memory;
using measure::Now;

constexpr int kTickRuns = 1000;
// The tick figures are taken in turns, so that a change in the machine's load hits all of them alike.
constexpr int kTickRounds = 10;
constexpr double kIdleTarget = 0.2;     // an idle tick / the bare calls of a full re-application
constexpr double kChangedTarget = 1.2;  // a tick that sends everything again / the same

// Times `runs` calls, in microseconds, into `times`; `prepare`, when given, runs untimed before each.
void Sample(std::vector<double>& times, int runs, const std::function<void()>& prepare,
            const std::function<void()>& call) {
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        const double t = Now();
        call();
        times.push_back((Now() - t) * 1e6);
    }
}

double Median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// Median time of one call, in microseconds.
double MedianUs(int runs, const std::function<void()>& call) {
    std::vector<double> times;
    Sample(times, runs, nullptr, call);
    return Median(times);
}

int CountGdiObjects() { return resource_count::GdiObjects(); }
int CountKernelHandles() { return resource_count::KernelHandles(); }

void ClearSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey); }

using test_support::Store;

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

// Pelmora as the program runs it: a main window made by Create, which starts its own timer. The
// benchmark then drives it only as a person or the system does: timer messages, clicks, the registry.
std::unique_ptr<main_window::MainWindow> StartInProcess() {
    auto form = std::make_unique<main_window::MainWindow>(bench::Environment());
    form->Create("");
    return form;
}

// One tick, as the window's timer gives it.
void Tick(const main_window::MainWindow& form) {
    SendMessageW(form.hwnd(), WM_TIMER, main_window::kReapplyTimerId, 0);
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

// The look as the Start button shows it once Pelmora has applied it: what the bare calls make too.
struct Applied {
    std::wstring label;
    RECT place{};  // in the taskbar's client coordinates
    int width() const { return place.right - place.left; }
    int height() const { return place.bottom - place.top; }
};

Applied ReadApplied(HWND button, HWND taskbar) {
    Applied a;
    wchar_t label[256] = {};
    a.label.assign(label, static_cast<size_t>(std::max(0, InternalGetWindowText(button, label, 256))));
    GetWindowRect(button, &a.place);
    MapWindowPoints(nullptr, taskbar, reinterpret_cast<POINT*>(&a.place), 2);
    return a;
}

// What another program does to the shell's windows between two ticks: every part of the look
// differs afterwards (label, place, region, and the alpha where the look has one), and a text
// outline's stored text alternates, so the tick builds the outline again and sends all of it.
void ChangeShellWindows(int i, const Shape& s, HWND button, HWND taskbar, const Applied& a) {
    SetWindowTextW(button, i % 2 ? L"Other" : L"Another");
    SetWindowPos(button, nullptr, a.place.left + 5 + i % 2, a.place.top + 1, a.width(), a.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowRgn(button, nullptr, TRUE);
    if (s.opaque_box) SetLayeredWindowAttributes(taskbar, 0, static_cast<BYTE>(150 + i % 2), LWA_ALPHA);
    if (std::string(s.type) == "Text") Store(names::kOutlineText, i % 2 ? "Stars" : "Start");
}

// Whether the button shows the applied look again (its place is set asynchronously: asked after a
// message the button's thread has answered).
bool ShowsLook(HWND button, const Applied& a) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
    const Applied now = ReadApplied(button, GetParent(button));
    win::unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
    return now.label == a.label && EqualRect(&now.place, &a.place) &&
           GetWindowRgn(button, region.get()) != ERROR;
}

// The calls a full re-application cannot avoid, made directly.
class BareCalls {
  public:
    BareCalls(const Shape& s, const Applied& a, HWND button, HWND taskbar)
        : s_(s), a_(a), button_(button), taskbar_(taskbar), text_(std::string(s.type) == "Text") {
        font_ =
            CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, "Arial");
        old_font_ = SelectObject(dc_, font_);
    }
    ~BareCalls() {
        SelectObject(dc_, old_font_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    BareCalls(const BareCalls&) = delete;
    BareCalls& operator=(const BareCalls&) = delete;

    void All() {
        const int w = a_.width(), h = a_.height();
        if (s_.opaque_box) SetLayeredWindowAttributes(taskbar_, 0, 200, LWA_ALPHA);
        // The forms a tick has to use on the shell's button: no call may wait on a hung shell.
        SetWindowPos(button_, nullptr, a_.place.left, a_.place.top, w, h, SWP_ASYNCWINDOWPOS);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(button_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a_.label.c_str()),
                            SMTO_ABORTIFHUNG, 250, &ignored);
        Registry();
        HRGN region = nullptr;
        if (text_) {
            BeginPath(dc_);
            TextOutW(dc_, 0, 0, L"Start", 5);
            EndPath(dc_);
            region = PathToRegion(dc_);
        } else {
            region =
                std::string(s_.type) == "Ellipse" ? CreateEllipticRgn(0, 0, w, h) : CreateRectRgn(0, 0, w, h);
        }
        if (!SetWindowRgn(button_, region, TRUE)) DeleteObject(region);
    }

    // The registry reads and writes alone: the part of the floor that every tick makes, idle or
    // not (the stored shape is read again, a text shape and "Make Opaque"'s alpha stored again).
    void Registry() {
        if (s_.opaque_box) WriteValue(names::kAlpha, "200");
        ReadValue(names::kShapeType);
        if (!text_) return;
        WriteValue(names::kShapeType, "Text");
        for (const char* n : {names::kFontFace, names::kOutlineText, names::kFontSize, names::kFontBold,
                              names::kFontItalic, names::kFontStrikethrough, names::kFontUnderline})
            ReadValue(n);
    }

  private:
    const Shape& s_;
    const Applied& a_;
    HWND button_, taskbar_;
    const bool text_;
    HDC dc_ = CreateCompatibleDC(nullptr);
    HFONT font_ = nullptr;
    HGDIOBJ old_font_ = nullptr;
};

// Per shape: an idle tick (the look unchanged and already on the Start button: it reads the shell's
// windows and sends nothing) and a tick after another program changed everything (it sends it all
// again), each against the bare calls of a full re-application.
void TickCost() {
    std::printf(
        "\nTick cost (median of %d in %d rounds, microseconds; floor: the bare calls of a full "
        "re-application)\n",
        kTickRuns, kTickRounds);
    std::printf("%-20s %7s %7s %7s %7s %7s %8s %8s %8s %9s\n", "shape", "idle", "changed", "floor", "idle/fl",
                "chgd/fl", "fl, chgd", "chgd/that", "registry", "look back");
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr), button = RealStartButton();
    for (const Shape& s : kShapes) {
        StoreShape(s);
        std::unique_ptr<main_window::MainWindow> f = StartInProcess();
        for (int i = 0; i < 20; ++i) Tick(*f);
        const Applied applied = ReadApplied(button, taskbar);
        BareCalls bare(s, applied, button, taskbar);
        for (int i = 0; i < 20; ++i) bare.All();
        int changes = 0;
        auto change = [&] { ChangeShellWindows(changes++, s, button, taskbar, applied); };
        auto tick = [&] { Tick(*f); };
        std::vector<double> idle, changed, floor, floor_changed, registry;
        bool back = true;
        const int runs = kTickRuns / kTickRounds;
        for (int round = 0; round < kTickRounds; ++round) {
            // The floor's outline is not Pelmora's: the look is put back untimed before the idle ticks.
            for (int i = 0; i < 3; ++i) tick();
            Sample(idle, runs, nullptr, tick);
            Sample(changed, runs, change, tick);
            back = back && ShowsLook(button, applied);
            Sample(floor, runs, nullptr, [&] { bare.All(); });
            Sample(floor_changed, runs, change, [&] { bare.All(); });
            Sample(registry, runs, nullptr, [&] { bare.Registry(); });
        }
        const double floor_us = Median(floor);
        const double changed_us = Median(changed), floor_changed_us = Median(floor_changed);
        std::printf("%-20s %7.0f %7.0f %7.0f %6.2fx %6.2fx %8.0f %8.2fx %8.0f %9s\n", s.label, Median(idle),
                    changed_us, floor_us, Median(idle) / floor_us, changed_us / floor_us, floor_changed_us,
                    changed_us / floor_changed_us, Median(registry), back ? "yes" : "NO");
        std::fflush(stdout);
    }
    std::printf("targets: idle <= %.1fx the floor, changed <= %.1fx.\n", kIdleTarget, kChangedTarget);
    std::printf(
        "\"fl, chgd\": the floor's calls after the same change as \"changed\" (the shell's own work for\n");
    std::printf(
        "that change then weighs on both); \"registry\": the floor's registry calls alone, which every\n");
    std::printf(
        "tick makes; \"look back\": the Start button showed the whole look after each round's changed "
        "ticks\n");
}

// The search for taskbars of further monitors, which every tick makes, beside the tick it is part
// of: with none (the test desktop) and with two stand-ins, each with a "Start" child.
void SecondaryTaskbarSearch() {
    StoreShape(kShapes[0]);
    std::unique_ptr<main_window::MainWindow> f = StartInProcess();
    std::printf("\nExtra taskbar search (median of 1000, microseconds)\n");
    std::printf("%-22s %12s %12s %8s\n", "extra taskbars", "search", "tick", "share");
    std::vector<HWND> stand_ins;
    for (int count : {0, 2}) {
        while (static_cast<int>(stand_ins.size()) < count) {
            stand_ins.push_back(test_support::MakeStandInTaskbar("Shell_SecondaryTrayWnd", "Start").taskbar);
        }
        for (int i = 0; i < 20; ++i) Tick(*f);
        const double search = MedianUs(1000, [] { core::FindSecondaryTaskbars(bench::AnyProcess); });
        const double tick = MedianUs(1000, [&] { Tick(*f); });
        std::printf("%-22d %12.1f %12.1f %7.1f%%\n", count, search, tick, 100.0 * search / tick);
    }
    for (HWND w : stand_ins) DestroyWindow(w);
}

// Every tenth tick comes after another program changed the shell's windows, so that building,
// sending and refusing regions all run; the others are idle.
void Leaks(int ticks) {
    std::printf(
        "\nGDI objects and kernel handles over %d ticks (after 50 warm-up ticks; every tenth after a "
        "change)\n",
        ticks);
    std::printf("%-22s %10s %10s %10s %10s %8s\n", "shape", "GDI before", "GDI after", "handles", "after",
                "seconds");
    for (const Shape& s : kShapes) {
        StoreShape(s);
        std::unique_ptr<main_window::MainWindow> f = StartInProcess();
        for (int i = 0; i < 50; ++i) Tick(*f);
        HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr), button = RealStartButton();
        const Applied applied = ReadApplied(button, taskbar);
        const int gdi = CountGdiObjects(), handles = CountKernelHandles();
        const double t = Now();
        for (int i = 0; i < ticks; ++i) {
            if (i % 10 == 0) ChangeShellWindows(i / 10, s, button, taskbar, applied);
            Tick(*f);
        }
        const double seconds = Now() - t;
        std::printf("%-22s %10d %10d %10d %10d %8.1f\n", s.label, gdi, CountGdiObjects(), handles,
                    CountKernelHandles(), seconds);
        std::fflush(stdout);
    }
}

void MemoryOverTicks() {
    StoreShape(kShapes[2]);
    std::unique_ptr<main_window::MainWindow> f = StartInProcess();
    for (int i = 0; i < 50; ++i) Tick(*f);
    const PROCESS_MEMORY_COUNTERS_EX before = Memory(GetCurrentProcess());
    for (int i = 0; i < 10000; ++i) Tick(*f);
    const PROCESS_MEMORY_COUNTERS_EX after = Memory(GetCurrentProcess());
    std::printf("\nIn-process growth over 10,000 Text ticks: private %+.0f KB, working set %+.0f KB\n",
                Kb(after.PagefileUsage) - Kb(before.PagefileUsage),
                Kb(after.WorkingSetSize) - Kb(before.WorkingSetSize));
}

}  // namespace

int main(int argc, char** argv) {
    const int leak_ticks = argc > 1 ? std::atoi(argv[1]) : 86400;
    const std::string parts = argc > 2 ? "," + std::string(argv[2]) + "," : "";
    auto runs = [&parts](const char* part) {
        return parts.empty() || parts.find("," + std::string(part) + ",") != std::string::npos;
    };
    HWND button = RealStartButton();
    if (!button) {
        std::printf("no Start button: run this in Wine's shell desktop\n");
        return 1;
    }
    RECT place{};
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&place), 2);

    if (runs("startup")) startup_figures::Print();
    if (runs("ticks")) TickCost();
    if (runs("search")) SecondaryTaskbarSearch();
    if (runs("memory")) MemoryOverTicks();
    if (runs("leaks") && leak_ticks > 0) Leaks(leak_ticks);
    if (runs("waits")) queue_waits::Print();

    ClearSettings();
    SetWindowRgn(button, nullptr, TRUE);
    SetWindowPos(button, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(button, "Start");
    return 0;
}
