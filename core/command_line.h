// Pure helpers of start-up and autostart, kept apart from any window so they are tested directly.
#pragma once

#include <string>

namespace core {

// True when the argument string, with spaces (only spaces) trimmed at both ends, is exactly "/min".
bool IsMinimizedStart(const std::string& arguments);

// The argument string of a full command line: everything after the program's own name, which may
// be quoted.
std::string ArgumentsOf(const std::string& command_line);

// The Run value for the executable at `exe_path`: the full path in double quotes, then " /min".
std::string AutostartCommand(const std::string& exe_path);

}  // namespace core
