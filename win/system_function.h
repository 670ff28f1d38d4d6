// Functions of system DLLs that only some windows need, looked up on first use so that the DLLs
// (and what they pull in) are not loaded at every start of a tray program.
#pragma once

#include <windows.h>

namespace win {

// The system DLL `dll`, loaded from the system folder only (never from the program's folder or
// the current directory); null when it cannot be loaded.
HMODULE SystemLibrary(const char* dll);

template <typename Fn>
Fn SystemFunction(const char* dll, const char* name) {
    HMODULE module = SystemLibrary(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The system's build number (22000 and above: Windows 11), as the system itself reports it: the
// version functions for programs report what their manifest names. 0 when it cannot be told.
DWORD WindowsBuild();

}  // namespace win
