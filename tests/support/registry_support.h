// The registry as the tests see it: the settings key and the Run value cleared around a test, and
// a look at a key's values. No window is needed.
#pragma once

#include <windows.h>

#include <string>

#include "settings/registry.h"

namespace test_support {

// Deletes a key below HKEY_CURRENT_USER with everything under it; a missing key is fine.
inline void DeleteKeyTree(const char* path) { RegDeleteTreeA(HKEY_CURRENT_USER, path); }

inline bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Names of the values in a key, in the order the registry lists them.
inline std::string ValueNames(const char* path) {
    std::string names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (!names.empty()) names += ',';
        names += name;
    }
    RegCloseKey(key);
    return names;
}

// The program's settings key and its autostart value, cleared before and after each test.
class CleanSettings {
  public:
    CleanSettings() { Clear(); }
    ~CleanSettings() { Clear(); }
    CleanSettings(const CleanSettings&) = delete;
    CleanSettings& operator=(const CleanSettings&) = delete;

  private:
    static void Clear() {
        DeleteKeyTree(registry::kSettingsKey);
        HKEY run = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, registry::kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, registry::kRunValueName);
            RegCloseKey(run);
        }
    }
};

}  // namespace test_support
