#include "win/system_function.h"

#include <string>

#include "win/text.h"

namespace win {

HMODULE SystemLibrary(const char* dll) {
    const WideText name = Wide(dll);
    if (HMODULE loaded = GetModuleHandleW(name.c_str())) return loaded;
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (HMODULE module = LoadLibraryExW(name.c_str(), nullptr, kSearchSystem32)) return module;
    // Systems without the search flags refuse it with ERROR_INVALID_PARAMETER: build the path.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const WideText path = Wide(Utf8(folder, length) + "\\" + dll);
    return LoadLibraryW(path.c_str());
}

}  // namespace win
