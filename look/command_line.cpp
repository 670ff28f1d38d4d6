#include "look/command_line.h"

#include "settings/value.h"

namespace core {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether `trimmed` is `word` alone or `word` and a blank before what follows.
bool StartsWithWord(const std::string& trimmed, const char* word) {
    const std::string w(word);
    return trimmed.compare(0, w.size(), w) == 0 && (trimmed.size() == w.size() || IsBlank(trimmed[w.size()]));
}
}  // namespace

Switch SwitchOf(const std::string& arguments) {
    const std::string trimmed = settings::TrimSpaces(arguments);
    if (trimmed == "/min") return Switch::kMinimized;
    if (trimmed == "/restore") return Switch::kRestore;
    if (trimmed == "/exit") return Switch::kExit;
    if (StartsWithWord(trimmed, "/export")) return Switch::kExport;
    if (StartsWithWord(trimmed, "/import")) return Switch::kImport;
    return Switch::kNone;
}

std::string SwitchFile(const std::string& arguments) {
    const std::string trimmed = settings::TrimSpaces(arguments);
    size_t at = trimmed.find_first_of(" \t");
    if (at == std::string::npos) return {};
    while (at < trimmed.size() && IsBlank(trimmed[at])) ++at;
    std::string file = trimmed.substr(at);
    while (!file.empty() && IsBlank(file.back())) file.pop_back();
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') file = file.substr(1, file.size() - 2);
    return file;
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
