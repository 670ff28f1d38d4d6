// A shell that keeps crashing: Pelmora restyling its taskbar may be what brings it down, so when the
// taskbar is made again by a new shell process twice within this long, restyling stops until the
// person asks for it again. A search that finds the same shell process (its "TaskbarCreated" sent
// again, say) is no restart.
#pragma once

#include <windows.h>

namespace core {

constexpr ULONGLONG kShellRestartWindowMs = 30000;

class ShellRestartGuard {
  public:
    // The process whose taskbar a search found at `now_ms` (0: no taskbar). True when this finding
    // is the second restart within the window: restyling stops now.
    bool Found(DWORD shell_process, ULONGLONG now_ms);
    bool Tripped() const { return tripped_; }
    // Restyling goes on: restarts are counted afresh from here.
    void Resume();

  private:
    DWORD process_ = 0;
    bool restarted_ = false;
    ULONGLONG last_restart_ms_ = 0;
    bool tripped_ = false;
};

}  // namespace core
