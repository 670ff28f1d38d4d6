// Pelmora in the benchmark's process: the system's own shell, and the benchmark's stand-ins for the
// taskbars of further monitors (in this process or another) taken as the shell's.
#pragma once

#include <windows.h>

#include "shell/taskbar_search.h"
#include "main_window/environment.h"

namespace bench {

inline bool AnyProcess(DWORD) { return true; }

inline main_window::Environment Environment() {
    main_window::Environment environment;
    environment.shell.extras = [] { return core::FindSecondaryTaskbars(AnyProcess); };
    return environment;
}

}  // namespace bench
