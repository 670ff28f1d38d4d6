#include "settings/registry.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "win/handles.h"
#include "win/text.h"

namespace registry {

namespace {

// A key that a write finds missing stays missing: writes only open. A read that cannot have the
// full access (a key made read-only by another tool) still reads with query access.
win::unique_hkey OpenKey(HKEY root, const char* key_path, bool for_read) {
    win::unique_hkey key;
    const win::WideText path = win::Wide(key_path);
    if (RegOpenKeyExW(root, path.c_str(), 0, kAccess, key.put()) != ERROR_SUCCESS && for_read)
        RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put());
    return key;
}

win::unique_hkey held_settings_key;  // while the key is held open

}  // namespace

LONG WriteSetting(const char* name, const settings::Value& value) {
    if (held_settings_key) return WriteValueToKey(held_settings_key.get(), name, REG_SZ, value);
    return RegistryWriteValue(HKEY_CURRENT_USER, kSettingsKey, name, value, REG_SZ);
}

settings::Value ReadSetting(const char* name) {
    if (!held_settings_key) return RegistryReadValue(HKEY_CURRENT_USER, kSettingsKey, name);
    settings::Value value;
    ReadValueFromKey(held_settings_key.get(), name, value);
    return value;
}

std::optional<StoredSetting> ReadStoredSetting(const char* name) {
    win::unique_hkey opened;
    if (!held_settings_key) opened = OpenKey(HKEY_CURRENT_USER, kSettingsKey, true);
    const HKEY key = held_settings_key ? held_settings_key.get() : opened.get();
    StoredSetting stored;
    if (!key) return stored;  // no key, no value: putting it back deletes what a write made
    const win::WideText wide = win::Wide(name);
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, wide.c_str(), nullptr, &stored.type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return stored;
    if (status != ERROR_SUCCESS) return std::nullopt;
    stored.bytes.resize(size);
    status = RegQueryValueExW(key, wide.c_str(), nullptr, &stored.type, stored.bytes.data(), &size);
    if (status != ERROR_SUCCESS) return std::nullopt;
    stored.bytes.resize(size);
    stored.present = true;
    return stored;
}

LONG RestoreStoredSetting(const char* name, const StoredSetting& was) {
    win::unique_hkey opened;
    if (!held_settings_key) opened = OpenKey(HKEY_CURRENT_USER, kSettingsKey, false);
    const HKEY key = held_settings_key ? held_settings_key.get() : opened.get();
    if (!key) return was.present ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
    const win::WideText wide = win::Wide(name);
    if (!was.present) {
        const LONG status = RegDeleteValueW(key, wide.c_str());
        return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
    return RegSetValueExW(key, wide.c_str(), 0, was.type, was.bytes.data(),
                          static_cast<DWORD>(was.bytes.size()));
}

bool HoldSettingsKey() {
    if (held_settings_key) return false;
    held_settings_key = OpenKey(HKEY_CURRENT_USER, kSettingsKey, true);
    return static_cast<bool>(held_settings_key);
}

void ReleaseSettingsKey() { held_settings_key.reset(); }

LONG RegistryCreateKey(HKEY root, const char* key_path) {
    win::unique_hkey key;
    DWORD disposition = 0;
    return RegCreateKeyExW(root, win::Wide(key_path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess,
                           nullptr, key.put(), &disposition);
}

LONG RegistryWriteValue(HKEY root, const char* key_path, const char* value_name, const settings::Value& value,
                        DWORD type) {
    win::unique_hkey key = OpenKey(root, key_path, false);
    if (!key) return ERROR_INVALID_HANDLE;
    return WriteValueToKey(key.get(), value_name, type, value);
}

LONG WriteValueToKey(HKEY key, const char* value_name, DWORD type, const settings::Value& value) {
    if (type == REG_SZ) {
        const win::WideText text = win::Wide(value.ToStoredText());
        // The terminator is counted in explicitly, except for the empty text, stored with no data.
        const DWORD size = text.empty() ? 0 : static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key, win::Wide(value_name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()), size);
    }
    if (type == REG_DWORD) {
        // A value that is no number or lies beyond 32 bits is not stored: converting it would be
        // undefined, and storing 0 in its place would lose it silently.
        const std::optional<double> n = value.ToNumber();
        const double rounded = n ? std::nearbyint(*n) : 0.0;  // to nearest, ties to even
        if (!n || rounded < -2147483648.0 || rounded > 2147483647.0) return ERROR_INVALID_DATA;
        const int32_t integer = static_cast<int32_t>(rounded);
        const BYTE bytes[4] = {static_cast<BYTE>(integer & 0xFF), static_cast<BYTE>((integer >> 8) & 0xFF),
                               static_cast<BYTE>((integer >> 16) & 0xFF),
                               static_cast<BYTE>((integer >> 24) & 0xFF)};
        return RegSetValueExW(key, win::Wide(value_name).c_str(), 0, REG_DWORD, bytes, 4);
    }
    return ERROR_SUCCESS;
}

settings::Value RegistryReadValue(HKEY root, const char* key_path, const char* value_name) {
    settings::Value value;
    win::unique_hkey key = OpenKey(root, key_path, true);
    if (key) ReadValueFromKey(key.get(), value_name, value);
    return value;
}

LONG ReadValueFromKey(HKEY key, const char* value_name, settings::Value& value) {
    const win::WideText name = win::Wide(value_name);
    // Most values fit here and are read with one call; a longer text is read again at its size. One
    // spare NUL always follows the data: a text stored without its terminator must not be read past
    // its end.
    wchar_t small[128] = {};
    std::vector<wchar_t> large;
    BYTE* data = reinterpret_cast<BYTE*>(small);
    DWORD type = 0;
    DWORD got = sizeof small - sizeof(wchar_t);
    LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &got);
    if (status == ERROR_MORE_DATA && type == REG_SZ) {
        const DWORD size = got;
        large.assign(static_cast<size_t>(size) / sizeof(wchar_t) + 2, L'\0');
        data = reinterpret_cast<BYTE*>(large.data());
        got = size;
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &got);
    }
    if (type == REG_SZ) {
        if (status != ERROR_SUCCESS) {
            value = settings::Value();
            return status;
        }
        // Every character as stored, its terminator and any embedded NUL too; an odd last byte
        // (a value written as raw bytes) is no character.
        value =
            settings::Value::Text(win::Utf8(reinterpret_cast<const wchar_t*>(data), got / sizeof(wchar_t)));
        return ERROR_SUCCESS;
    }
    if (type == REG_DWORD) {
        // At most four bytes whatever size the value claims: a longer value fails instead of
        // overflowing the integer; a shorter one is its low bytes.
        if (status != ERROR_SUCCESS || got > 4) return status != ERROR_SUCCESS ? status : ERROR_INVALID_DATA;
        uint32_t integer = 0;
        for (DWORD i = 0; i < got; ++i) integer |= static_cast<uint32_t>(data[i]) << (8 * i);
        value = settings::Value::Int32(static_cast<int32_t>(integer));
        return ERROR_SUCCESS;
    }
    return -1;
}

LONG RegistryDeleteValue(HKEY root, const char* key_path, const char* value_name) {
    win::unique_hkey key = OpenKey(root, key_path, false);
    if (!key) return ERROR_INVALID_HANDLE;
    return RegDeleteValueW(key.get(), win::Wide(value_name).c_str());
}

}  // namespace registry
