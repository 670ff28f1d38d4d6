// Start-up and memory: Pelmora.exe against bare_window.exe, each started as a process of its own.
// Private bytes are read as PagefileUsage: Wine leaves PrivateUsage at 0.
#include "startup_figures.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "main_window/main_window.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace startup_figures {
namespace {

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / frequency;
}

PROCESS_MEMORY_COUNTERS_EX Memory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return m;
}

double Kb(SIZE_T bytes) { return static_cast<double>(bytes) / 1024.0; }

void ClearSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey); }

void Store(const char* name, const char* text) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(name, settings::Value::Text(text));
}

HWND RealStartButton() { return FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "BUTTON", nullptr); }

bool HasRegion(HWND window) {
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, probe) != ERROR;
    DeleteObject(probe);
    return has;
}

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1);
}

struct Launch {
    double seconds = 0;
    PROCESS_MEMORY_COUNTERS_EX memory{};
};

// Starts `exe`, waits until `ready` holds, measures, then has `close` end it.
Launch Run(const std::string& exe, const std::function<bool()>& ready, const std::function<void()>& close) {
    Launch result;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + exe + "\"";
    const double t = Now();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("cannot start %s\n", exe.c_str());
        return result;
    }
    while (!ready() && Now() - t < 30) Sleep(1);
    result.seconds = Now() - t;
    Sleep(500);  // let it settle before its memory is read
    result.memory = Memory(pi.hProcess);
    close();
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

template <typename Key>
double MedianOf(std::vector<Launch>& runs, Key key) {
    std::vector<double> v;
    for (const Launch& r : runs) v.push_back(key(r));
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

void Print() {
    const std::string folder = Folder();
    HWND button = RealStartButton();
    std::vector<Launch> pelmora, bare;
    for (int i = 0; i < 5; ++i) {
        ClearSettings();
        Store(names::kShapeType, "Ellipse");
        SetWindowRgn(button, nullptr, TRUE);
        pelmora.push_back(Run(
            folder + "..\\Pelmora.exe", [&] { return HasRegion(button); },
            [] {
                // "&Exit" from the notification-area menu.
                if (HWND w = FindWindowA(main_window::kMainWindowClass, nullptr))
                    PostMessageA(w, WM_COMMAND, MAKEWPARAM(main_window::kMenuExit, 0), 0);
            }));
        bare.push_back(Run(
            folder + "bare_window.exe", [] { return FindWindowA("PelmoraBareWindow", nullptr) != nullptr; },
            [] {
                if (HWND w = FindWindowA("PelmoraBareWindow", nullptr)) PostMessageA(w, WM_CLOSE, 0, 0);
            }));
    }
    SetWindowRgn(button, nullptr, TRUE);
    auto seconds = [](const Launch& l) { return l.seconds * 1000; };
    auto priv = [](const Launch& l) { return Kb(l.memory.PagefileUsage); };
    auto ws = [](const Launch& l) { return Kb(l.memory.WorkingSetSize); };
    std::printf("\nStart-up and memory (median of 5 starts)\n");
    std::printf("%-34s %12s %12s %8s\n", "", "Pelmora.exe", "bare window", "ratio");
    const double ps = MedianOf(pelmora, seconds), bs = MedianOf(bare, seconds);
    std::printf("%-34s %12.0f %12.0f %7.2fx\n", "start-up, ms (outline / window)", ps, bs, ps / bs);
    const double pp = MedianOf(pelmora, priv), bp = MedianOf(bare, priv);
    std::printf("%-34s %12.0f %12.0f %7.2fx\n", "private bytes after start-up, KB", pp, bp, pp / bp);
    const double pw = MedianOf(pelmora, ws), bw = MedianOf(bare, ws);
    std::printf("%-34s %12.0f %12.0f %7.2fx\n", "working set after start-up, KB", pw, bw, pw / bw);
}

}  // namespace startup_figures
