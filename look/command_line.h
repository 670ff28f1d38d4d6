// Pure helpers of start-up and autostart, kept apart from any window so they are tested directly.
#pragma once

#include <string>

namespace core {

// What the argument string asks for, with spaces (only spaces) trimmed at both ends and compared
// exactly: "/min" starts hidden in the notification area, "/restore" gives the shell back its own
// look and ends, "/exit" ends a running Pelmora; "/export FILE" and "/import FILE" (the switch,
// a blank, then the file, which may be quoted) keep the look in a file and take it back; anything
// else starts shown.
enum class Switch { kNone, kMinimized, kRestore, kExit, kExport, kImport };
Switch SwitchOf(const std::string& arguments);
// The file that "/export" or "/import" names, without its quotes; empty when none is named.
std::string SwitchFile(const std::string& arguments);

// True when the argument string, with spaces (only spaces) trimmed at both ends, is exactly "/min".
bool IsMinimizedStart(const std::string& arguments);

// The argument string of a full command line: everything after the program's own name, which may
// be quoted.
std::string ArgumentsOf(const std::string& command_line);

// The Run value for the executable at `exe_path`: the full path in double quotes, then " /min".
std::string AutostartCommand(const std::string& exe_path);

// "/exit" and "/restore" end the running Pelmora a step at a time, each step from what they see
// now. A Pelmora runs from the moment it has made its session mutex, before its main window exists:
// one still starting is waited for and ended, not reported gone while it goes on.
enum class EndStep {
    kSucceed,        // none runs
    kFail,           // one runs and cannot be ended within the wait, or refused the Exit
    kEndWindow,      // post Exit to the window found and wait for its process to end
    kWaitForWindow,  // one is still starting: look again in a moment
};
struct EndSight {
    bool window = false;           // a Pelmora main window was found
    bool session_claimed = false;  // the session mutex exists (opened, or denied to this process)
    bool time_left = false;        // within the switch's wait
    bool exit_refused = false;     // the last Exit posted was refused by the system
};
EndStep NextEndStep(const EndSight& seen);

}  // namespace core
