#include "look/restart_guard.h"

namespace core {

bool ShellRestartGuard::Found(DWORD shell_process, ULONGLONG now_ms) {
    // No taskbar (the shell between two lives) says nothing about which shell comes next.
    if (!shell_process || shell_process == process_) return false;
    const bool first = process_ == 0;
    process_ = shell_process;
    if (first) return false;
    const bool again_soon = restarted_ && now_ms - last_restart_ms_ <= kShellRestartWindowMs;
    restarted_ = true;
    last_restart_ms_ = now_ms;
    if (!again_soon || tripped_) return false;
    tripped_ = true;
    return true;
}

void ShellRestartGuard::Resume() {
    tripped_ = false;
    restarted_ = false;
}

}  // namespace core
