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

}  // namespace

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
    DWORD type = 0;
    DWORD size = 0;
    RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (type == REG_SZ) {
        // One spare NUL: a text stored without its terminator must not be read past its end.
        std::vector<wchar_t> buffer(static_cast<size_t>(size) / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        const LONG status =
            RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status != ERROR_SUCCESS || type != REG_SZ || got > size) {
            value = settings::Value();
            return status != ERROR_SUCCESS ? status : ERROR_INVALID_DATA;
        }
        // Every character as stored, its terminator and any embedded NUL too; an odd last byte
        // (a value written as raw bytes) is no character.
        value = settings::Value::Text(win::Utf8(buffer.data(), got / sizeof(wchar_t)));
        return ERROR_SUCCESS;
    }
    if (type == REG_DWORD) {
        // Exactly four bytes whatever size the value claims: a wrong-sized value fails instead of
        // overflowing the integer.
        uint32_t integer = 0;
        DWORD got = sizeof integer;
        const LONG status =
            RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&integer), &got);
        if (status != ERROR_SUCCESS || type != REG_DWORD)
            return status != ERROR_SUCCESS ? status : ERROR_INVALID_DATA;
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
