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

DWORD WindowsBuild() {
    // RtlGetVersion fills an OSVERSIONINFOW and returns an NTSTATUS (0 for success).
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto get_version = SystemFunction<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!get_version || get_version(&version) != 0) return 0;
    return version.dwBuildNumber;
}

}  // namespace win
