#include "core/command_line.h"

namespace core {

bool IsMinimizedStart(const std::string& arguments) {
    const size_t first = arguments.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const size_t last = arguments.find_last_not_of(' ');
    return arguments.compare(first, last - first + 1, "/min") == 0;
}

std::string ArgumentsOf(const std::string& command_line) {
    size_t i = 0;
    const size_t n = command_line.size();
    while (i < n && (command_line[i] == ' ' || command_line[i] == '\t')) ++i;
    if (i < n && command_line[i] == '"') {
        const size_t close = command_line.find('"', i + 1);
        i = close == std::string::npos ? n : close + 1;
    } else {
        while (i < n && command_line[i] != ' ' && command_line[i] != '\t') ++i;
    }
    // As Windows itself parses a command line: the separators after the program name belong to no
    // argument. A "/min" written straight after the closing quote is an argument all the same.
    while (i < n && (command_line[i] == ' ' || command_line[i] == '\t')) ++i;
    return command_line.substr(i);
}

std::string AutostartCommand(const std::string& exe_path) { return "\"" + exe_path + "\" /min"; }

}  // namespace core
