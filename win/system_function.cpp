#include "win/system_function.h"

namespace win {

HMODULE SystemLibrary(const char* dll) {
    if (HMODULE loaded = GetModuleHandleA(dll)) return loaded;
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (HMODULE module = LoadLibraryExA(dll, nullptr, kSearchSystem32)) return module;
    // Systems without the search flags refuse it with ERROR_INVALID_PARAMETER: build the path.
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(dll) >= MAX_PATH) return nullptr;
    lstrcatA(path, "\\");
    lstrcatA(path, dll);
    return LoadLibraryA(path);
}

}  // namespace win
