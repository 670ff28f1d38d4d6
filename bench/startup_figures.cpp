// Start-up and memory: Pelmora.exe against minimal_program.exe and bare_window.exe, started in turn
// (Pelmora, minimal, bare, Pelmora, ...) so that a change in the machine's load hits all three.
// Start-up runs from CreateProcess until the Start button has a region (Pelmora, minimal program)
// or the window exists (bare window), polled every millisecond; the Start button's region is
// removed before every start. Memory is read 0.5 s later. Private bytes are read as
// PagefileUsage: Wine leaves PrivateUsage at 0.
#include "measure.h"
#include "startup_figures.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "main_window/main_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/window_driver.h"
#include "win/handles.h"

namespace startup_figures {
namespace {

using measure::Kb;
using measure::Memory;
using measure::Now;

constexpr int kStarts = 15;
constexpr double kGiveUpSeconds = 30;
constexpr DWORD kSettleMs = 500;
constexpr DWORD kPauseBeforeStartMs =
    300;  // the last program's exit (its icon leaving the taskbar) is not the next one's start
constexpr double kStartUpTarget = 1.2;        // Pelmora / minimal program
constexpr double kPrivateBytesTarget = 1.15;  // Pelmora / minimal program

HWND RealStartButton() {
    return FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "BUTTON", nullptr);
}

using test_support::HasRegion;

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1);
}

// Lower-case names of the DLLs a process has loaded (the first module, its exe, left out).
std::set<std::string> ModuleNames(HANDLE process) {
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    std::set<std::string> names;
    if (!EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                            &needed))
        return names;
    const size_t count = std::min<size_t>(needed / sizeof(HMODULE), modules.size());
    for (size_t i = 1; i < count; ++i) {
        char name[MAX_PATH] = {};
        if (!GetModuleBaseNameA(process, modules[i], name, MAX_PATH)) continue;
        std::string s(name);
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(tolower(c)); });
        names.insert(s);
    }
    return names;
}

struct Program {
    const char* label;
    std::string exe;
    std::function<void()> prepare;  // before each start
    std::function<HWND()> window;   // its main window, once it exists
    std::function<bool()> started;  // start-up is over
    std::function<void(HWND)> close;
};

struct Launch {
    double window_ms = 0;   // until its main window exists
    double visible_ms = 0;  // until that window is shown
    double ready_ms = 0;    // until `started` holds
    PROCESS_MEMORY_COUNTERS_EX memory{};
    std::set<std::string> modules;
};

Launch Run(const Program& program) {
    Launch result;
    Sleep(kPauseBeforeStartMs);
    program.prepare();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + program.exe + "\"";
    const double t = Now();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("cannot start %s\n", program.exe.c_str());
        return result;
    }
    win::unique_handle process(pi.hProcess), thread(pi.hThread);
    HWND window = nullptr;
    bool visible = false, started = false;
    while (!started && Now() - t < kGiveUpSeconds) {
        if (!window && (window = program.window()) != nullptr) result.window_ms = (Now() - t) * 1000;
        if (window && !visible && (visible = IsWindowVisible(window) != FALSE))
            result.visible_ms = (Now() - t) * 1000;
        if ((started = program.started()))
            result.ready_ms = (Now() - t) * 1000;
        else
            Sleep(1);
    }
    if (!started) {
        result.ready_ms = (Now() - t) * 1000;
        std::printf("%s did not finish starting in %.0f s\n", program.label, kGiveUpSeconds);
    }
    Sleep(kSettleMs);
    result.memory = Memory(process.get());
    result.modules = ModuleNames(process.get());
    program.close(window ? window : program.window());
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    return result;
}

template <typename Key>
double MedianOf(const std::vector<Launch>& runs, Key key) {
    std::vector<double> v;
    for (const Launch& r : runs) v.push_back(key(r));
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PostClose(HWND window) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
}

// Pelmora first, then its two floors: the tables read them in this order.
std::vector<Program> Programs(HWND button) {
    const std::string folder = Folder();
    auto remove_outline = [button] { SetWindowRgn(button, nullptr, TRUE); };
    auto outlined = [button] { return HasRegion(button); };
    return {
        {"Pelmora.exe", folder + "..\\Pelmora.exe",
         [remove_outline] {
             RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey);
             registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
             registry::WriteSetting(names::kShapeType, settings::Value::Text("Ellipse"));
             remove_outline();
         },
         [] { return FindWindowA(main_window::kMainWindowClass, nullptr); }, outlined,
         [](HWND w) {
             // "&Exit" from the notification-area menu: closing the window only hides it.
             if (w) PostMessageA(w, WM_COMMAND, MAKEWPARAM(main_window::kMenuExit, 0), 0);
         }},
        {"minimal program", folder + "minimal_program.exe", remove_outline,
         [] { return FindWindowA("PelmoraMinimalProgram", nullptr); }, outlined, PostClose},
        {"bare window", folder + "bare_window.exe", remove_outline,
         [] { return FindWindowA("PelmoraBareWindow", nullptr); },
         [] { return FindWindowA("PelmoraBareWindow", nullptr) != nullptr; }, PostClose},
    };
}

// Start-up by steps, each round's own ratio, every start, and the DLLs only Pelmora loads.
void PrintWhereTheTimeGoes(const std::vector<Program>& programs,
                           const std::vector<std::vector<Launch>>& launches) {
    const std::vector<Launch>&pelmora = launches[0], &minimal = launches[1], &bare = launches[2];
    auto ready = [](const Launch& l) { return l.ready_ms; };
    auto window = [](const Launch& l) { return l.window_ms; };
    auto visible = [](const Launch& l) { return l.visible_ms; };

    // The two starts of one round are moments apart: their ratio is the least touched by a change of load.
    std::vector<double> round_ratios;
    for (size_t i = 0; i < pelmora.size(); ++i)
        round_ratios.push_back(pelmora[i].ready_ms / minimal[i].ready_ms);
    std::sort(round_ratios.begin(), round_ratios.end());
    std::printf("start-up, Pelmora / minimal program of the same round: median %.2fx (from %.2fx to %.2fx)\n",
                round_ratios[round_ratios.size() / 2], round_ratios.front(), round_ratios.back());

    std::printf("\n%-38s %11s %11s\n", "Start-up in steps, ms (medians)", "Pelmora.exe", "minimal");
    std::printf("%-38s %11.0f %11.0f\n", "until its window exists", MedianOf(pelmora, window),
                MedianOf(minimal, window));
    std::printf("%-38s %11.0f %11.0f\n", "until its window is shown", MedianOf(pelmora, visible),
                MedianOf(minimal, visible));
    std::printf("%-38s %11.0f %11.0f\n", "until the Start button is outlined", MedianOf(pelmora, ready),
                MedianOf(minimal, ready));
    for (size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> all;
        for (const Launch& l : launches[p]) all.push_back(l.ready_ms);
        std::sort(all.begin(), all.end());
        std::printf("%-16s start-ups, ms, sorted:", programs[p].label);
        for (double ms : all) std::printf(" %.0f", ms);
        std::printf("\n");
    }

    std::string only_pelmora;
    for (const std::string& m : pelmora.back().modules)
        if (!minimal.back().modules.count(m)) only_pelmora += " " + m;
    std::printf("DLLs loaded: Pelmora %zu, minimal program %zu, bare window %zu; only by Pelmora:%s\n",
                pelmora.back().modules.size(), minimal.back().modules.size(), bare.back().modules.size(),
                only_pelmora.empty() ? " none" : only_pelmora.c_str());
}

const char* Verdict(double ratio, double target) { return ratio <= target ? "met" : "missed"; }

}  // namespace

void Print() {
    HWND button = RealStartButton();
    const std::vector<Program> programs = Programs(button);
    std::vector<std::vector<Launch>> launches(programs.size());
    for (int i = 0; i < kStarts; ++i)
        for (size_t p = 0; p < programs.size(); ++p) launches[p].push_back(Run(programs[p]));
    SetWindowRgn(button, nullptr, TRUE);
    RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey);

    auto ready = [](const Launch& l) { return l.ready_ms; };
    auto priv = [](const Launch& l) { return Kb(l.memory.PagefileUsage); };
    auto ws = [](const Launch& l) { return Kb(l.memory.WorkingSetSize); };
    const std::vector<Launch>&pelmora = launches[0], &minimal = launches[1], &bare = launches[2];
    std::printf("\nStart-up and memory (median of %d interleaved starts each)\n", kStarts);
    std::printf("%-38s %11s %11s %11s %10s %10s\n", "", "Pelmora.exe", "minimal", "bare window", "P/minimal",
                "P/bare");
    auto row = [&](const char* label, auto key) {
        const double p = MedianOf(pelmora, key), m = MedianOf(minimal, key), b = MedianOf(bare, key);
        std::printf("%-38s %11.0f %11.0f %11.0f %9.2fx %9.2fx\n", label, p, m, b, p / m, p / b);
        return p / m;
    };
    const double startup_ratio = row("start-up, ms (outline/outline/window)", ready);
    const double private_ratio = row("private bytes after start-up, KB", priv);
    row("working set after start-up, KB", ws);
    std::printf(
        "Pelmora / minimal program: start-up %.2fx (target <= %.2fx, %s), private bytes %.2fx (target <= "
        "%.2fx, %s)\n",
        startup_ratio, kStartUpTarget, Verdict(startup_ratio, kStartUpTarget), private_ratio,
        kPrivateBytesTarget, Verdict(private_ratio, kPrivateBytesTarget));

    PrintWhereTheTimeGoes(programs, launches);
}

}  // namespace startup_figures
