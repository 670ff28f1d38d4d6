// Pure helpers of start-up and autostart, kept apart from any window so they are tested directly.
#pragma once

#include <string>

namespace core {

// What the argument string asks for, with spaces (only spaces) trimmed at both ends and compared
// exactly: "/min" starts hidden in the notification area, "/restore" gives the shell back its own
// look and ends, "/exit" ends a running Pelmora; anything else starts shown.
enum class Switch { kNone, kMinimized, kRestore, kExit };
Switch SwitchOf(const std::string& arguments);

// True when the argument string, with spaces (only spaces) trimmed at both ends, is exactly "/min".
bool IsMinimizedStart(const std::string& arguments);

// The argument string of a full command line: everything after the program's own name, which may
// be quoted.
std::string ArgumentsOf(const std::string& command_line);

// The Run value for the executable at `exe_path`: the full path in double quotes, then " /min".
std::string AutostartCommand(const std::string& exe_path);

}  // namespace core
