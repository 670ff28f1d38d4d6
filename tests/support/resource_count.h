// Counting this process's live GDI objects and kernel handles, for leak tests and the benchmark.
// Under Wine GetGuiResources and GetProcessHandleCount report 0, so the handle tables are walked.
#pragma once

#include <windows.h>

namespace resource_count {

// Wine-only: GetObjectType accepts the 16-bit GDI handle index.
inline int GdiObjects() {
    int count = 0;
    for (UINT_PTR i = 1; i <= 0xFFFF; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++count;
    return count;
}

inline int KernelHandles() {
    int count = 0;
    DWORD flags = 0;
    for (UINT_PTR h = 4; h <= 0xFFFC; h += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) ++count;
    return count;
}

}  // namespace resource_count
