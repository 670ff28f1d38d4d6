// What both parts of the benchmark measure with: a clock in seconds and a process's memory.
#pragma once

#include <windows.h>
#include <psapi.h>

namespace measure {

inline double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / frequency;
}

// Private bytes are read as PagefileUsage: Wine leaves PrivateUsage at 0.
inline PROCESS_MEMORY_COUNTERS_EX Memory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return m;
}

inline double Kb(SIZE_T bytes) { return static_cast<double>(bytes) / 1024.0; }

}  // namespace measure
