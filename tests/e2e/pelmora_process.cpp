#include "e2e/pelmora_process.h"

#include <shellapi.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "app/single_instance.h"
#include "shell/taskbar_search.h"
#include "support/shell_reset.h"
#include "customize_window/customize_window.h"
#include "main_window/main_window.h"
#include "settings/registry.h"
#include "win/dpi.h"
#include "win/text.h"

namespace e2e {

namespace {

using registry::kRunKey;
using registry::kSettingsKey;
constexpr const char* kRunValue = registry::kRunValueName;
constexpr const char* kMainClass = main_window::kMainWindowClass;
constexpr const char* kCustomizeClass = customize_window::kCustomizeWindowClass;
constexpr DWORD kStartTimeoutMs = 15000;
// Wine's shell lays its Start button out at the taskbar's left end, this wide.
constexpr int kShellStartButtonWidth = 57;

std::optional<std::string> ReadText(HKEY root, const char* key, const char* name) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::string> result;
    if (RegQueryValueExA(k, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string data(size, '\0');
        if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
            data.resize(size);
            while (!data.empty() && data.back() == '\0') data.pop_back();
            result = data;
        }
    }
    RegCloseKey(k);
    return result;
}

void WriteText(HKEY root, const char* key, const char* name, const std::string& text) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(k);
}

void DeleteValue(HKEY root, const char* key, const char* name) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
    RegDeleteValueA(k, name);
    RegCloseKey(k);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectChild(HWND w, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

void Pause(DWORD ms) { Sleep(ms); }

std::string PelmoraExePath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self);
    dir.erase(dir.find_last_of("\\/") + 1);
    const std::string relative = dir + "..\\" PELMORA_EXE_NAME;
    char full[MAX_PATH] = {};
    if (!GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr)) return relative;
    return full;
}

namespace {

// Wine starts a Linux program without a process handle to wait on, so the program is wrapped in
// a shell that writes its exit code to a file, which is polled.
std::string UnixPathOf(const std::string& windows_path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto to_unix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!to_unix) return {};
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, wide, MAX_PATH);
    char* unix_path = to_unix(wide);
    if (!unix_path) return {};
    std::string result(unix_path);
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
}

}  // namespace

int RunLinux(const std::string& command_line, DWORD timeout_ms) {
    static int serial = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string done_file = std::string(temp) + "pelmora-e2e-" + std::to_string(GetCurrentProcessId()) +
                                  "-" + std::to_string(++serial) + ".rc";
    DeleteFileA(done_file.c_str());
    const std::string unix_done = UnixPathOf(done_file);
    if (unix_done.empty()) return -1;
    std::string cmd = "/bin/sh -c \"" + command_line + "; echo $? > '" + unix_done + "'\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    int code = -1;
    WaitUntil(
        [&] {
            HANDLE f = CreateFileA(done_file.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            if (f == INVALID_HANDLE_VALUE) return false;
            char text[16] = {};
            DWORD read = 0;
            ReadFile(f, text, sizeof text - 1, &read, nullptr);
            CloseHandle(f);
            if (read == 0 || text[read - 1] != '\n') return false;  // not written out yet
            code = atoi(text);
            return true;
        },
        timeout_ms);
    DeleteFileA(done_file.c_str());
    return code;
}

bool Xdotool(const std::string& arguments) { return RunLinux("/usr/bin/xdotool " + arguments) == 0; }

bool ClickAt(POINT p, int button, int repeat) {
    return Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click --repeat " +
                   std::to_string(repeat) + " --delay 120 " + std::to_string(button));
}

bool PressKeys(const std::string& keys) { return Xdotool("key --delay 60 " + keys); }

bool TypeText(const std::string& text) { return Xdotool("type --delay 40 '" + text + "'"); }

std::optional<std::string> ReadSetting(const char* name) {
    return ReadText(HKEY_CURRENT_USER, kSettingsKey, name);
}
void WriteSetting(const char* name, const std::string& text) {
    WriteText(HKEY_CURRENT_USER, kSettingsKey, name, text);
}
void DeleteSetting(const char* name) { DeleteValue(HKEY_CURRENT_USER, kSettingsKey, name); }
std::optional<std::string> ReadRunValue() { return ReadText(HKEY_CURRENT_USER, kRunKey, kRunValue); }
void WriteRunValue(const std::string& text) { WriteText(HKEY_CURRENT_USER, kRunKey, kRunValue, text); }

void DeleteRunValue() { DeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue); }

void WipeSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRunValue();
}

HWND Taskbar() { return core::FindTaskbar(); }
HWND StartButton() { return core::FindStartButton(Taskbar()); }

RECT StartButtonPlacement() {
    RECT r{};
    GetWindowRect(StartButton(), &r);
    MapWindowPoints(nullptr, Taskbar(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool StartButtonHasRegion() {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(StartButton(), region);
    DeleteObject(region);
    return kind == SIMPLEREGION || kind == COMPLEXREGION || kind == NULLREGION;
}

bool StartButtonRegionContains(int x, int y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(StartButton(), region);
    const bool inside = kind != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

std::optional<BYTE> TaskbarAlpha() {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!(TaskbarExStyle() & WS_EX_LAYERED)) return std::nullopt;
    if (!GetLayeredWindowAttributes(Taskbar(), &key, &alpha, &flags) || !(flags & LWA_ALPHA))
        return std::nullopt;
    return alpha;
}

LONG_PTR TaskbarExStyle() { return GetWindowLongPtrA(Taskbar(), GWL_EXSTYLE); }

void ResetStartButton() {
    HWND button = StartButton();
    test_support::ForgetOwnLook(button, Taskbar());
    RECT client{};
    GetClientRect(Taskbar(), &client);
    SetWindowRgn(button, nullptr, TRUE);
    SetWindowPos(button, nullptr, 0, 0, kShellStartButtonWidth, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(button, "");
}

void ResetTaskbar() {
    HWND taskbar = Taskbar();
    const LONG_PTR ex = GetWindowLongPtrA(taskbar, GWL_EXSTYLE);
    if (ex & WS_EX_LAYERED)
        SetWindowLongPtrA(taskbar, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

namespace {
NOTIFYICONDATAA IconRecord(HWND owner) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = owner;
    icon.uID = 1;
    return icon;
}
}  // namespace

bool TrayIconExists(HWND owner) {
    NOTIFYICONDATAA icon = IconRecord(owner);
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

bool DeleteTrayIcon(HWND owner) {
    NOTIFYICONDATAA icon = IconRecord(owner);
    return Shell_NotifyIconA(NIM_DELETE, &icon) != FALSE;
}

POINT CenterOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// ---------------------------------------------------------------------------------------------

namespace {
std::string exe_in_use;  // UTF-8; empty: the build's own

// Starts a command line (UTF-8, so that any folder name reaches the system exactly).
// `error_output`: a handle the process inherits as its error output.
bool CreateProcessOf(const std::string& command_line, PROCESS_INFORMATION& info,
                     HANDLE error_output = nullptr) {
    win::WideText command(command_line);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (error_output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdError = error_output;
    }
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, error_output != nullptr, 0, nullptr,
                          nullptr, &si, &info) != FALSE;
}

bool CreatePelmoraProcess(const std::string& arguments, PROCESS_INFORMATION& info,
                          HANDLE error_output = nullptr) {
    std::string cmd = "\"" + (exe_in_use.empty() ? PelmoraExePath() : exe_in_use) + "\"";
    if (!arguments.empty()) cmd += " " + arguments;
    return CreateProcessOf(cmd, info, error_output);
}
}  // namespace

std::optional<DWORD> RunToExit(const std::string& arguments, DWORD timeout_ms, std::string* error_output) {
    PROCESS_INFORMATION info{};
    HANDLE read_end = nullptr, write_end = nullptr;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    if (error_output && !CreatePipe(&read_end, &write_end, &inherited, 1 << 16)) return std::nullopt;
    const win::unique_handle reader(read_end);
    const bool started = CreatePelmoraProcess(arguments, info, write_end);
    if (write_end) CloseHandle(write_end);  // the child's copy is the only writer left
    if (!started) return std::nullopt;
    std::optional<DWORD> code;
    if (WaitForSingleObject(info.hProcess, timeout_ms) == WAIT_OBJECT_0) {
        DWORD exit_code = 0;
        if (GetExitCodeProcess(info.hProcess, &exit_code)) code = exit_code;
    } else {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (error_output) {
        error_output->clear();
        char chunk[512];
        DWORD got = 0;
        while (ReadFile(reader.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
            error_output->append(chunk, got);
    }
    return code;
}

void UsePelmoraExe(const std::string& utf8_path) { exe_in_use = utf8_path; }

PelmoraProcess::~PelmoraProcess() { Kill(); }

bool PelmoraProcess::Start(const std::string& arguments) {
    if (!CreatePelmoraProcess(arguments, info_)) return false;
    return WaitUntilLoaded();
}

bool PelmoraProcess::StartCommandLine(const std::string& command_line) {
    if (!CreateProcessOf(command_line, info_)) return false;
    return WaitUntilLoaded();
}

bool PelmoraProcess::StartHeldBeforeItsWindow(const std::string& arguments) {
    const win::WideText mutex_name = win::Wide(app::kSessionMutexName);
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (!CreatePelmoraProcess(arguments, info_)) return false;
        // Polled without a pause: the program makes its window a few milliseconds after its mutex.
        HANDLE mutex = nullptr;
        const ULONGLONG give_up_at = GetTickCount64() + kStartTimeoutMs;
        while (!(mutex = OpenMutexW(SYNCHRONIZE, FALSE, mutex_name.c_str())) && Running() &&
               GetTickCount64() < give_up_at)
            Sleep(0);
        const bool held = mutex && SuspendThread(info_.hThread) != static_cast<DWORD>(-1);
        if (mutex) CloseHandle(mutex);
        if (held && !FindMain()) return true;
        Kill();
    }
    return false;
}

void PelmoraProcess::ResumeStart() { ResumeThread(info_.hThread); }

bool PelmoraProcess::WaitUntilLoaded() {
    // The window exists before its load runs; the load ends before the message loop first waits.
    if (!WaitUntil([this] { return (main_ = FindMain()) != nullptr; }, kStartTimeoutMs)) return false;
    WaitForInputIdle(info_.hProcess, kStartTimeoutMs);
    DWORD_PTR result = 0;
    for (int i = 0; i < 2; ++i) {
        if (!SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kStartTimeoutMs, &result))
            return false;
        Sleep(100);
    }
    return Running();
}

HWND PelmoraProcess::FindMain() const { return test_support::FindTopLevel(Pid(), kMainClass, false); }

void PelmoraProcess::Kill() {
    if (!info_.hProcess) return;
    // The shell would keep a killed program's icon and lay the next one out beside it.
    if (Running() && main_ && IsWindow(main_)) DeleteTrayIcon(main_);
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
    // Wine hands a freed process id out again at once: until the dead process's windows are gone,
    // the next start could take them for its own.
    const HWND old_main = main_;
    if (old_main) WaitUntil([old_main] { return !IsWindow(old_main); }, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
    main_ = nullptr;
}

bool PelmoraProcess::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool PelmoraProcess::WaitForExit(DWORD timeout_ms) {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

std::string PelmoraProcess::ModulePath() const {
    char path[MAX_PATH] = {};
    if (!GetModuleFileNameExA(info_.hProcess, nullptr, path, MAX_PATH)) return {};
    return path;
}

std::vector<HWND> PelmoraProcess::Children() const {
    std::vector<HWND> children;
    EnumChildWindows(main_, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND PelmoraProcess::Child(const char* window_class, const char* caption) const {
    return FindWindowExA(main_, nullptr, window_class, caption);
}

HWND PelmoraProcess::NewLabelBox() const {
    for (HWND w : Children())
        if (_stricmp(ClassOf(w).c_str(), "Edit") == 0 && !(GetWindowLongPtrA(w, GWL_STYLE) & ES_READONLY))
            return w;
    return nullptr;
}

HWND PelmoraProcess::CurrentLabelBox() const {
    for (HWND w : Children())
        if (_stricmp(ClassOf(w).c_str(), "Edit") == 0 && (GetWindowLongPtrA(w, GWL_STYLE) & ES_READONLY))
            return w;
    return nullptr;
}

bool PelmoraProcess::Checked(const char* caption) const {
    return SendMessageA(Check(caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND PelmoraProcess::Slider(int number) const {
    // Top to bottom, then left to right: transparency, X, width, Y, height.
    std::vector<std::pair<RECT, HWND>> sliders;
    for (HWND w : Children())
        if (_stricmp(ClassOf(w).c_str(), "ScrollBar") == 0) sliders.push_back({ScreenRect(w), w});
    std::sort(sliders.begin(), sliders.end(), [](const auto& a, const auto& b) {
        return a.first.top != b.first.top ? a.first.top < b.first.top : a.first.left < b.first.left;
    });
    if (number < 1 || number > static_cast<int>(sliders.size())) return nullptr;
    return sliders[static_cast<size_t>(number - 1)].second;
}

int PelmoraProcess::SliderPos(int number) const {
    return static_cast<int>(SendMessageA(Slider(number), SBM_GETPOS, 0, 0));
}

POINT PelmoraProcess::PictureCenter(const win::TwipsRect& picture) const {
    RECT r = win::TwipsToClientRect(picture, win::ScreenDpi());
    MapWindowPoints(main_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return CenterOf(r);
}

POINT PelmoraProcess::ApplyLabelPicture() const { return PictureCenter(main_window::kApplyLabelPicture); }

HWND PelmoraProcess::OpenCustomizeWindow() const {
    // A click on the customize picture, as the main window gets it from the mouse.
    RECT r = win::TwipsToClientRect(main_window::kCustomizePicture, win::ScreenDpi());
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main_, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_ABORTIFHUNG, kStartTimeoutMs, &ignored);
    SendMessageTimeoutA(main_, WM_LBUTTONUP, 0, at, SMTO_ABORTIFHUNG, kStartTimeoutMs, &ignored);
    HWND customize = nullptr;
    WaitUntil(
        [&] { return (customize = test_support::FindTopLevel(Pid(), kCustomizeClass, true)) != nullptr; },
        kStartTimeoutMs);
    return customize;
}

POINT PelmoraProcess::CloseBoxPoint() const {
    RECT window = ScreenRect(main_);
    POINT client{0, 0};
    ClientToScreen(main_, &client);
    const int y = (window.top + client.y) / 2 + 1;
    for (int x = window.right - 1; x > window.right - 60; --x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutA(main_, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
        if (hit == HTCLOSE) return POINT{x - 6, y};  // well inside the box, not on its edge
    }
    return POINT{window.right - 12, y};
}

HWND PelmoraProcess::PopupMenu() const { return test_support::FindTopLevel(Pid(), "#32768", true); }

// ---------------------------------------------------------------------------------------------

void PelmoraTest::SetUp() {
    WipeSettings();
    ResetStartButton();
    ResetTaskbar();
}

void PelmoraTest::TearDown() {
    processes_.clear();
    WipeSettings();
    ResetStartButton();
    ResetTaskbar();
}

PelmoraProcess* PelmoraTest::Launch(const std::string& arguments) {
    processes_.push_back(std::make_unique<PelmoraProcess>());
    PelmoraProcess* p = processes_.back().get();
    if (!p->Start(arguments)) {
        ADD_FAILURE() << "Pelmora.exe did not start with arguments \"" << arguments << "\"";
        return nullptr;
    }
    return p;
}

// ---------------------------------------------------------------------------------------------

StandInShell::~StandInShell() {
    if (!info_.hProcess) return;
    if (IsWindow(taskbar_)) PostMessageA(taskbar_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
    const HWND taskbar = taskbar_;
    WaitUntil([taskbar] { return !IsWindow(taskbar); }, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    DeleteFileA((folder_ + "\\explorer.exe").c_str());
    DeleteFileA((folder_ + "\\calls.txt").c_str());
    RemoveDirectoryA(folder_.c_str());
}

bool StandInShell::Start(const std::string& arguments, bool as_shell) {
    static int made = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "pelmora-stand-in-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++made);
    CreateDirectoryA(folder_.c_str(), nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe(self);
    exe.erase(exe.find_last_of("\\/") + 1);
    exe += "stand_in_shell.exe";
    if (as_shell) {
        const std::string copy = folder_ + "\\explorer.exe";
        if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) return false;
        exe = copy;
    }
    if (!CreateProcessOf("\"" + exe + "\" " + arguments + " --record \"" + folder_ + "\\calls.txt\"", info_))
        return false;
    const char* window_class =
        arguments.rfind("secondary", 0) == 0 ? "Shell_SecondaryTrayWnd" : "Shell_TrayWnd";
    return WaitUntil(
        [this, window_class] {
            return (taskbar_ = test_support::FindTopLevel(Pid(), window_class, true)) != nullptr;
        },
        kStartTimeoutMs);
}

std::vector<std::string> StandInShell::Balloons() const {
    std::vector<std::string> balloons;
    FILE* file = std::fopen((folder_ + "\\calls.txt").c_str(), "r");
    if (!file) return balloons;
    char line[1200];
    while (std::fgets(line, sizeof line, file))
        balloons.push_back(std::string(line, std::strcspn(line, "\r\n")));
    std::fclose(file);
    return balloons;
}

}  // namespace e2e
