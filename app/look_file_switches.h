// "/export FILE" and "/import FILE": the stored look kept in a file and taken back, with or without
// a running Pelmora and never starting one. A refusal is said on the console the command came from
// (or its redirected error output), and the exit status is 1.
#pragma once

#include <string>

namespace app {

// How long "/import" waits for a running Pelmora to take the file.
constexpr unsigned kImportHandOverWaitMs = 5000;
// How long it waits before it hands the file over again to one that was applying the look.
constexpr unsigned kImportRetryMs = 50;

int ExportLookSwitch(const std::string& file);
// A running Pelmora takes the checked file on its own thread, between two of its ticks, and shows
// and applies it at once; with none running it is stored here.
int ImportLookSwitch(const std::string& file);

}  // namespace app
