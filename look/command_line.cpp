#include "look/command_line.h"

#include "settings/value.h"

namespace core {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

Switch SwitchOf(const std::string& arguments) {
    const std::string trimmed = settings::TrimSpaces(arguments);
    if (trimmed == "/min") return Switch::kMinimized;
    if (trimmed == "/restore") return Switch::kRestore;
    if (trimmed == "/exit") return Switch::kExit;
    return Switch::kNone;
}

bool IsMinimizedStart(const std::string& arguments) { return SwitchOf(arguments) == Switch::kMinimized; }

std::string ArgumentsOf(const std::string& command_line) {
    size_t i = 0;
    const size_t n = command_line.size();
    while (i < n && IsBlank(command_line[i])) ++i;
    if (i < n && command_line[i] == '"') {
        const size_t close = command_line.find('"', i + 1);
        i = close == std::string::npos ? n : close + 1;
    } else {
        while (i < n && !IsBlank(command_line[i])) ++i;
    }
    // As Windows itself parses a command line: the separators after the program name belong to no
    // argument. A "/min" written straight after the closing quote is an argument all the same.
    while (i < n && IsBlank(command_line[i])) ++i;
    return command_line.substr(i);
}

std::string AutostartCommand(const std::string& exe_path) { return "\"" + exe_path + "\" /min"; }

EndStep NextEndStep(const EndSight& seen) {
    // A window that refuses Exit (an elevated Pelmora the system keeps it from) refuses it again:
    // waiting out the limit would only hide that.
    if (seen.exit_refused) return EndStep::kFail;
    if (!seen.window && !seen.session_claimed) return EndStep::kSucceed;
    if (!seen.time_left) return EndStep::kFail;
    return seen.window ? EndStep::kEndWindow : EndStep::kWaitForWindow;
}

}  // namespace core
