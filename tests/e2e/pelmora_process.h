// Drives the real Pelmora.exe from outside, as a person at the desktop does: starts it, finds its
// windows, clicks and types through xdotool (the Wine desktop fills the X screen, so screen
// coordinates are X coordinates), and reads back the Start button, the taskbar and the registry.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/window_driver.h"
#include "win/dpi.h"

namespace e2e {

// Where the first notification-area icon sits on Wine's 1024x768 shell desktop.
constexpr POINT kTrayIconPoint{1014, 758};

// Polls `done` every few milliseconds until it holds or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout_ms);
void Pause(DWORD ms);

// Full path of the program under test: next to the tests folder, in the build folder's root.
std::string PelmoraExePath();
// Starts a copy elsewhere from now on (a UTF-8 path); empty: the build's own again.
void UsePelmoraExe(const std::string& utf8_path);

// Runs a Linux program (Wine starts it directly) and waits for it; its exit code, or -1.
int RunLinux(const std::string& command_line, DWORD timeout_ms = 10000);
bool Xdotool(const std::string& arguments);
bool ClickAt(POINT screen, int button = 1, int repeat = 1);
bool PressKeys(const std::string& keys);  // xdotool key syntax: "alt+F4", "Right", "Escape"
bool TypeText(const std::string& text);

// Settings key and the Run value, read raw: text values lose their terminating NULs.
std::optional<std::string> ReadSetting(const char* name);
void WriteSetting(const char* name, const std::string& text);
void DeleteSetting(const char* name);
std::optional<std::string> ReadRunValue();
void WriteRunValue(const std::string& text);
void DeleteRunValue();
void WipeSettings();  // the settings key and the Run value "QVR"

// The shell's taskbar and its Start button.
HWND Taskbar();
HWND StartButton();
using test_support::WindowText;
RECT StartButtonPlacement();  // in the taskbar's client coordinates
bool StartButtonHasRegion();
bool StartButtonRegionContains(int x, int y);  // window coordinates of the button
std::optional<BYTE> TaskbarAlpha();            // nothing while the taskbar is not layered
LONG_PTR TaskbarExStyle();
// Puts the Start button and the taskbar back as Wine's shell made them.
void ResetStartButton();
void ResetTaskbar();

// Whether the shell holds an icon of `owner` with Pelmora's id (a modify that changes nothing
// succeeds only for an existing icon).
bool TrayIconExists(HWND owner);
bool DeleteTrayIcon(HWND owner);

POINT CenterOf(const RECT& screen_rect);
RECT ScreenRect(HWND window);

// Starts Pelmora.exe with `arguments` for a run that should end by itself: its exit code, or
// nothing when it did not start or still ran after `timeout_ms` (it is then terminated).
// `error_output`: what it wrote to its error output.
std::optional<DWORD> RunToExit(const std::string& arguments, DWORD timeout_ms,
                               std::string* error_output = nullptr);

// One running Pelmora.exe; terminated (after taking its icon away) when destroyed.
class PelmoraProcess {
  public:
    PelmoraProcess() = default;
    ~PelmoraProcess();
    PelmoraProcess(const PelmoraProcess&) = delete;
    PelmoraProcess& operator=(const PelmoraProcess&) = delete;

    // Starts the program with `arguments` appended to its quoted path (as given, spaces kept) and
    // waits until its main window exists and its load has finished.
    bool Start(const std::string& arguments = "");
    // Starts a whole command line (UTF-8), as the shell starts the Run value's at logon.
    bool StartCommandLine(const std::string& command_line);
    // Starts the program and stops it at the moment of a Pelmora still starting: its session mutex
    // made, its main window not yet; false when that moment was not caught in several starts.
    bool StartHeldBeforeItsWindow(const std::string& arguments);
    void ResumeStart();
    void Kill();
    bool Running() const;
    bool WaitForExit(DWORD timeout_ms);
    DWORD Pid() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    // The executable's path as the running process reports it.
    std::string ModulePath() const;

    HWND Main() const { return main_; }
    bool Shown() const { return main_ && IsWindowVisible(main_); }
    bool Foreground() const { return GetForegroundWindow() == main_; }

    // Child controls of the main window.
    HWND Child(const char* window_class, const char* caption) const;
    HWND NewLabelBox() const;      // the new-label box
    HWND CurrentLabelBox() const;  // the current-label box (read-only)
    HWND Check(const char* caption) const { return Child("Button", caption); }
    bool Checked(const char* caption) const;
    // The sliders top to bottom, then left to right: 1 transparency, 2 X, 3 width, 4 Y, 5 height.
    HWND Slider(int number) const;
    int SliderPos(int number) const;
    // A windowless picture given by its place in the layout (twips of the client area), on the screen.
    POINT PictureCenter(const win::TwipsRect& picture) const;
    POINT ApplyLabelPicture() const;  // apply_label_picture
    // Opens the customize window with a click on its picture; null when it did not appear.
    HWND OpenCustomizeWindow() const;
    POINT CloseBoxPoint() const;

    // The visible popup menu of this process, if any.
    HWND PopupMenu() const;

  private:
    bool WaitUntilLoaded();
    std::vector<HWND> Children() const;
    HWND FindMain() const;

    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};

// A stand-in for a shell's taskbar in a process of its own (tests/stand_in_shell.cpp, which says
// what its arguments make). Run as the shell, it is a copy named explorer.exe, which Pelmora takes
// for the shell; else it is any other program with a window of the taskbar's class. It records the
// notification-area calls it receives. Closed (or ended) when destroyed.
class StandInShell {
  public:
    StandInShell() = default;
    ~StandInShell();
    StandInShell(const StandInShell&) = delete;
    StandInShell& operator=(const StandInShell&) = delete;

    // Starts it and waits for its window; false when it did not come up.
    bool Start(const std::string& arguments, bool as_shell);
    DWORD Pid() const { return info_.dwProcessId; }
    HWND Taskbar() const { return taskbar_; }
    HWND Button() const { return GetWindow(taskbar_, GW_CHILD); }
    // The balloon texts of the notification-area calls it received, in order.
    std::vector<std::string> Balloons() const;

  private:
    PROCESS_INFORMATION info_{};
    HWND taskbar_ = nullptr;
    std::string folder_;
};

// Every test starts and ends with no settings, no Run value and the shell's own Start button.
class PelmoraTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts Pelmora; null (and a failure recorded) when it does not come up.
    PelmoraProcess* Launch(const std::string& arguments = "");

    std::vector<std::unique_ptr<PelmoraProcess>> processes_;
};

}  // namespace e2e
