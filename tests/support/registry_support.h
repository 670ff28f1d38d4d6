// The registry as the tests see it: the settings key and the Run value cleared around a test, and
// a look at a key's values. No window is needed.
#pragma once

#include <windows.h>

#include <string>

#include "settings/registry.h"
#include "settings/value.h"

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

// A setting stored as the program stores it (a text), the settings key made first if missing.
inline void Store(const char* name, const std::string& text) {
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(name, settings::Value::Text(text));
}

// A stored setting's text, without its terminator; empty when missing.
inline std::string Stored(const char* name) {
    return settings::StripTerminator(registry::ReadSetting(name).ToText());
}

// A setting stored in any form another tool might leave it in: any type, any bytes, in the settings
// key or in `key_path` (made first if missing); false when it could not be stored.
inline bool SetRaw(const char* name, DWORD type, const void* data, DWORD size,
                   const char* key_path = registry::kSettingsKey) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool stored =
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

// A text stored whole with its terminator, however long, as another tool might store it.
inline bool SetRawText(const char* name, const std::string& text) {
    return SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
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
