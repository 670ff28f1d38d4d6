#include "queue_waits.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "main_window/main_window.h"
#include "environment.h"
#include "measure.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/registry_support.h"
#include "support/window_driver.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/message_loop.h"
#include "win/text.h"

namespace queue_waits {
namespace {

using measure::Now;

constexpr double kRunSeconds = 10;
constexpr double kWarmUpSeconds = 2;
// After the run: a message held until the shell came back is still counted.
constexpr double kDrainSeconds = 1;
constexpr double kStandInsAt = 0.5;
constexpr double kTargetMs = 100;
constexpr DWORD kShellStopReplyMs = 15000;
constexpr double kResumeGiveUpSeconds = 20;

constexpr UINT kStampMessage = WM_APP + 10;
constexpr UINT kActionMessage = WM_APP + 11;  // wParam: the action's index in kScript
constexpr UINT kEndMessage = WM_APP + 12;

enum class Hang { kNothing, kStandInsAnswering, kStandInsHung, kShellStopped };

enum class Act { kApplyLabel, kTaskbarCreated, kStoreEllipse, kStoreRectangle, kClose, kCountStandIns };
struct Action {
    double at;  // seconds into the run
    Act act;
};
// What a person and the system do in every run. The shape switches make the tick send regions, the
// label actions send labels and add the notification icon again.
constexpr Action kScript[] = {
    {1, Act::kApplyLabel},   {2, Act::kStoreRectangle}, {3, Act::kTaskbarCreated},
    {4, Act::kStoreEllipse}, {5, Act::kApplyLabel},     {6, Act::kStoreRectangle},
    {7, Act::kClose},        {8, Act::kStoreEllipse},   {9.5, Act::kCountStandIns},
};
constexpr size_t kScriptLength = sizeof kScript / sizeof kScript[0];

struct Run {
    HWND main = nullptr;   // Pelmora's main window
    HWND queue = nullptr;  // the benchmark's window, on the same thread
    double start = 0;
    bool recording = false;
    std::atomic<bool> outstanding{false};
    std::atomic<double> posted_at{0};
    std::vector<double> waits_ms, posted_s;  // the window's thread only
    int labels_applied = 0;
    std::string last_label;
    int stand_ins = 0, stand_ins_labelled = 0;
    // The close: when it was posted, and how long the main window took to hide.
    std::atomic<double> close_posted_at{-1};
    std::atomic<double> close_hidden_ms{-1};
};
Run* g_run = nullptr;

struct Figures {
    bool measured = false;
    std::string note;
    double longest_ms = 0, longest_at_s = 0, p99_ms = 0;
    int over_target = 0;
    size_t messages = 0;
    std::vector<double> longest_per_second_ms;
    bool label_stored = false;
    std::string stored_label;
    int stand_ins = 0, stand_ins_labelled = 0;
    double close_hidden_ms = -1;
};

using test_support::Store;

// The middle of the apply-label picture, where the main window's layout draws it, in client pixels.
LPARAM ApplyLabelPicturePoint(HWND main) {
    int dpi = win::WindowDpi(main);
    if (!dpi) dpi = win::ScreenDpi();
    const RECT r = win::TwipsToClientRect(main_window::kApplyLabelPicture, dpi);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A window's text, read without a message to it: its thread may not be answering.
std::string TextOf(HWND window) {
    wchar_t text[256] = {};
    const int length = InternalGetWindowText(window, text, 256);
    return win::Utf8(text, static_cast<size_t>(std::max(length, 0)));
}

void Perform(Run& run, Act act) {
    switch (act) {
        case Act::kApplyLabel: {
            // Typed, then the picture clicked: the label is stored and the whole load runs again.
            run.last_label = "Label " + std::to_string(++run.labels_applied);
            test_support::Driver(run.main).Type(main_window::kNewLabelBox, run.last_label);
            const LPARAM at = ApplyLabelPicturePoint(run.main);
            PostMessageW(run.main, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(run.main, WM_LBUTTONUP, 0, at);
            return;
        }
        case Act::kTaskbarCreated:
            PostMessageW(run.main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
            return;
        case Act::kStoreEllipse:
            Store(names::kShapeType, "Ellipse");
            return;
        case Act::kStoreRectangle:
            Store(names::kShapeType, "Rectangle");
            return;
        case Act::kClose:
            // Posted, as the system posts it for the close box or Alt+F4; the window hides.
            run.close_posted_at = Now();
            PostMessageW(run.main, WM_CLOSE, 0, 0);
            return;
        case Act::kCountStandIns:
            run.stand_ins = run.stand_ins_labelled = 0;
            for (HWND t = FindWindowExW(nullptr, nullptr, L"Shell_SecondaryTrayWnd", nullptr); t;
                 t = FindWindowExW(nullptr, t, L"Shell_SecondaryTrayWnd", nullptr)) {
                ++run.stand_ins;
                HWND start = FindWindowExW(t, nullptr, L"Start", nullptr);
                if (start && TextOf(start) == run.last_label) ++run.stand_ins_labelled;
            }
            return;
    }
}

LRESULT CALLBACK QueueWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    Run* run = g_run;
    if (run) {
        switch (msg) {
            case kStampMessage: {
                const double now = Now(), posted = run->posted_at.load();
                if (run->recording) {
                    run->waits_ms.push_back((now - posted) * 1000);
                    run->posted_s.push_back(posted - run->start);
                }
                run->outstanding = false;
                return 0;
            }
            case kActionMessage:
                if (wp < kScriptLength) Perform(*run, kScript[wp].act);
                return 0;
            case kEndMessage:
                PostQuitMessage(0);
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(window, msg, wp, lp);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadSmallFile(const std::wstring& path) {
    win::unique_handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return {};
    }
    char text[512] = {};
    DWORD read = 0;
    ReadFile(file.get(), text, sizeof text - 1, &read, nullptr);
    std::string s(text, read);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// The folder scripts/bench.sh watches for requests (a Linux folder seen through drive Z:), or empty.
std::wstring SignalFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"PELMORA_BENCH_SIGNALS", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder) + L"\\";
}

// Asks bench.sh to stop this prefix's shell for kRunSeconds; it answers in a file of its own.
bool StopShell(const std::wstring& folder, std::string& why_not) {
    if (folder.empty()) {
        why_not = "PELMORA_BENCH_SIGNALS is not set: only scripts/bench.sh can stop the shell";
        return false;
    }
    const std::wstring request = folder + L"stop-shell", temporary = request + L".new";
    {
        win::unique_handle file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            file.release();
            why_not = "cannot write the request file";
            return false;
        }
        const std::string seconds = std::to_string(static_cast<int>(kRunSeconds)) + "\n";
        DWORD written = 0;
        WriteFile(file.get(), seconds.data(), static_cast<DWORD>(seconds.size()), &written, nullptr);
    }
    MoveFileExW(temporary.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING);
    const ULONGLONG give_up_at = GetTickCount64() + kShellStopReplyMs;
    while (GetTickCount64() < give_up_at) {
        if (FileExists(folder + L"shell-stopped")) return true;
        if (FileExists(folder + L"shell-not-stopped")) {
            why_not = ReadSmallFile(folder + L"shell-not-stopped");
            return false;
        }
        Sleep(5);
    }
    why_not = "no answer from bench.sh";
    return false;
}

// Posts a stamp whenever the last one has been taken, the script's actions when they are due, and
// the end: kDrainSeconds after the run, or after the shell came back.
void Watch(Run& run, size_t script_length, double seconds, HANDLE stand_ins_go,
           const std::wstring& resumed_file) {
    size_t next = 0;
    // This thread asked the window system something before: under Wine a thread's first question
    // waits for the process that draws the desktop, which is the shell stopped in one run.
    IsWindowVisible(run.main);
    double resumed_at = -1, last_look = -1;
    for (;;) {
        const double t = Now() - run.start;
        if (!run.outstanding.exchange(true)) {
            run.posted_at = Now();
            PostMessageW(run.queue, kStampMessage, 0, 0);
        }
        for (; next < script_length && t >= kScript[next].at; ++next)
            PostMessageW(run.queue, kActionMessage, next, 0);
        const double closed_at = run.close_posted_at;
        if (closed_at >= 0 && run.close_hidden_ms < 0 && !IsWindowVisible(run.main))
            run.close_hidden_ms = (Now() - closed_at) * 1000;
        if (stand_ins_go && t >= kStandInsAt) {
            SetEvent(stand_ins_go);
            stand_ins_go = nullptr;
        }
        if (resumed_file.empty()) {
            if (t >= seconds + kDrainSeconds) break;
        } else {
            if (resumed_at < 0 && t >= seconds - 0.5 && t - last_look >= 0.05) {
                last_look = t;
                if (FileExists(resumed_file)) resumed_at = t;
            }
            if ((resumed_at >= 0 && t >= resumed_at + kDrainSeconds) || t >= kResumeGiveUpSeconds) break;
        }
        Sleep(1);
    }
    PostMessageW(run.queue, kEndMessage, 0, 0);
}

// The program's own loop (win::RunMessageLoop), while the watcher posts. The first
// `script_length` actions of the script are performed.
void Loop(Run& run, size_t script_length, double seconds, HANDLE stand_ins_go = nullptr,
          const std::wstring& resumed_file = {}) {
    run.start = Now();
    std::thread watcher(Watch, std::ref(run), script_length, seconds, stand_ins_go, resumed_file);
    win::RunMessageLoop();  // the program's own, until the watcher's end
    watcher.join();
}

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1);
}

struct StandIns {
    win::unique_handle go, ready, process;
};

bool StartStandIns(StandIns& s, bool hang, std::string& why_not) {
    const std::string id = std::to_string(GetCurrentProcessId());
    const std::string go_name = "Local\\PelmoraBench.StandInsGo." + id,
                      ready_name = "Local\\PelmoraBench.StandInsReady." + id;
    s.go.reset(CreateEventA(nullptr, TRUE, FALSE, go_name.c_str()));
    s.ready.reset(CreateEventA(nullptr, TRUE, FALSE, ready_name.c_str()));
    // They hang (or answer) from their start at kStandInsAt until the run and its drain are over.
    const int ms = static_cast<int>((kRunSeconds + kDrainSeconds - kStandInsAt) * 1000);
    std::string command = "\"" + Folder() + "stand_in_taskbars.exe\" " + go_name + " " + ready_name +
                          (hang ? " hang " : " answer ") + std::to_string(ms);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!s.go || !s.ready ||
        !CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &si, &pi)) {
        why_not = "cannot start stand_in_taskbars.exe";
        return false;
    }
    CloseHandle(pi.hThread);
    s.process.reset(pi.hProcess);
    return true;
}

void EndStandIns(StandIns& s) {
    if (!s.process) return;
    if (WaitForSingleObject(s.process.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(s.process.get(), 1);
}

Figures Measure(Hang hang, HWND queue, const std::wstring& signals) {
    Figures f;
    RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey);
    Store(names::kShapeType, "Ellipse");
    auto form = std::make_unique<main_window::MainWindow>(bench::Environment());
    if (!form->Create("")) {
        f.note = "Pelmora's main window was not made";
        return f;
    }
    Run run;
    run.main = form->hwnd();
    run.queue = queue;
    g_run = &run;
    Loop(run, 0, kWarmUpSeconds);

    StandIns stand_ins;
    bool ready = true;
    if (hang == Hang::kStandInsAnswering || hang == Hang::kStandInsHung)
        ready = StartStandIns(stand_ins, hang == Hang::kStandInsHung, f.note);
    if (hang == Hang::kShellStopped) ready = StopShell(signals, f.note);
    if (ready) {
        run.recording = true;
        Loop(run, kScriptLength, kRunSeconds, stand_ins.go.get(),
             hang == Hang::kShellStopped ? signals + L"shell-resumed" : std::wstring());
        run.recording = false;
        f.measured = !run.waits_ms.empty();
    }
    EndStandIns(stand_ins);

    if (f.measured) {
        const auto longest = std::max_element(run.waits_ms.begin(), run.waits_ms.end());
        f.longest_ms = *longest;
        f.longest_at_s = run.posted_s[static_cast<size_t>(longest - run.waits_ms.begin())];
        std::vector<double> sorted = run.waits_ms;
        std::sort(sorted.begin(), sorted.end());
        f.p99_ms = sorted[sorted.size() * 99 / 100];
        f.over_target = static_cast<int>(
            std::count_if(sorted.begin(), sorted.end(), [](double ms) { return ms >= kTargetMs; }));
        f.messages = sorted.size();
        const settings::Value stored = registry::ReadSetting(names::kLabel);
        f.stored_label = settings::StripTerminator(stored.RawText());
        f.label_stored = f.stored_label == run.last_label;
        for (size_t i = 0; i < run.waits_ms.size(); ++i) {
            const size_t second = static_cast<size_t>(std::max(0.0, run.posted_s[i]));
            if (f.longest_per_second_ms.size() <= second) f.longest_per_second_ms.resize(second + 1, 0);
            f.longest_per_second_ms[second] = std::max(f.longest_per_second_ms[second], run.waits_ms[i]);
        }
        f.stand_ins = run.stand_ins;
        f.stand_ins_labelled = run.stand_ins_labelled;
        f.close_hidden_ms = run.close_hidden_ms;
    }
    g_run = nullptr;
    form.reset();
    // Let the shell take what was sent to it before the next run starts.
    Sleep(500);
    return f;
}

}  // namespace

void Print() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = QueueWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PelmoraBench.Queue";
    RegisterClassW(&wc);
    win::unique_hwnd queue(CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           wc.hInstance, nullptr));
    const std::wstring signals = SignalFolder();

    struct Row {
        const char* label;
        Hang hang;
        Figures figures;
    };
    Row rows[] = {
        {"nothing hung (floor)", Hang::kNothing, {}},
        {"4 stand-in taskbars, answering", Hang::kStandInsAnswering, {}},
        {"4 stand-in taskbars, hung", Hang::kStandInsHung, {}},
        {"shell stopped (SIGSTOP, 10 s)", Hang::kShellStopped, {}},
    };
    for (Row& row : rows) row.figures = Measure(row.hang, queue.get(), signals);

    std::printf("\nLongest wait of a posted message in Pelmora's queue, ms, over %.0f s (+%.0f s after)\n",
                kRunSeconds, kDrainSeconds);
    std::printf(
        "(label applied at 1 s and 5 s, TaskbarCreated at 3 s, shape switched at 2, 4, 6, 8 s, the window "
        "closed at 7 s)\n");
    std::printf("%-32s %9s %6s %9s %7s %9s %8s %s\n", "", "longest", "at s", "99th pct", ">=100ms",
                "messages", "/ floor", "target < 100 ms");
    const Figures& floor = rows[0].figures;
    for (const Row& row : rows) {
        const Figures& f = row.figures;
        if (!f.measured) {
            std::printf("%-32s not measured: %s\n", row.label, f.note.c_str());
            continue;
        }
        std::printf("%-32s %9.1f %6.2f %9.1f %7d %9zu", row.label, f.longest_ms, f.longest_at_s, f.p99_ms,
                    f.over_target, f.messages);
        if (floor.measured && &f != &floor)
            std::printf(" %7.1fx", f.longest_ms / floor.longest_ms);
        else
            std::printf(" %8s", "");
        if (row.hang == Hang::kStandInsHung || row.hang == Hang::kShellStopped)
            std::printf(" %s", f.longest_ms < kTargetMs ? "met" : "missed");
        std::printf("\n");
    }
    std::printf("Longest wait in each second of the run (ms), and checks:\n");
    for (const Row& row : rows) {
        const Figures& f = row.figures;
        if (!f.measured) continue;
        std::printf("%-32s", row.label);
        for (double ms : f.longest_per_second_ms) std::printf(" %.0f", ms);
        std::printf("; last label applied %s", f.label_stored ? "and stored" : "NOT stored: ");
        if (!f.label_stored) std::printf("\"%s\"", f.stored_label.c_str());
        if (row.hang == Hang::kStandInsAnswering || row.hang == Hang::kStandInsHung)
            std::printf("; stand-ins found %d, with the label %d", f.stand_ins, f.stand_ins_labelled);
        if (f.close_hidden_ms >= 0)
            std::printf("; closed window hidden after %.1f ms (target < 100)", f.close_hidden_ms);
        else
            std::printf("; closed window NOT hidden");
        std::printf("\n");
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, registry::kSettingsKey);
}

}  // namespace queue_waits
