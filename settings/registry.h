// The only routines that touch the registry. Each outer routine opens (or creates) its key, does one
// thing and closes the key again; the one handle that outlives a call is the program's settings key
// while HoldSettingsKey holds it open (a tick's reads and writes), until ReleaseSettingsKey.
// Statuses are the registry functions' own (0 for success); the program never reports them.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "settings/value.h"

namespace registry {

// Below HKEY_CURRENT_USER, with no "Software" segment.
constexpr const char* kSettingsKey = "Velmontix\\QVR";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValueName = "QVR";
// The access the program has always asked for (0x3F).
constexpr REGSAM kAccess = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
                           KEY_NOTIFY | KEY_CREATE_LINK;

LONG RegistryCreateKey(HKEY root, const char* key_path);
LONG RegistryWriteValue(HKEY root, const char* key_path, const char* value_name, const settings::Value& value,
                        DWORD type);
LONG WriteValueToKey(HKEY key, const char* value_name, DWORD type, const settings::Value& value);
settings::Value RegistryReadValue(HKEY root, const char* key_path, const char* value_name);
LONG ReadValueFromKey(HKEY key, const char* value_name, settings::Value& value);
LONG RegistryDeleteValue(HKEY root, const char* key_path, const char* value_name);

// The program's own settings key, as every caller in the program uses it.
LONG WriteSetting(const char* name, const settings::Value& value);
settings::Value ReadSetting(const char* name);

// A setting exactly as stored (its type and bytes), or its absence: what undoing a write puts back.
struct StoredSetting {
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};
// None when it could not be read (a key or value that refuses this user): nothing to put back then.
std::optional<StoredSetting> ReadStoredSetting(const char* name);
// Puts a setting back as ReadStoredSetting read it; one that was absent is deleted.
LONG RestoreStoredSetting(const char* name, const StoredSetting& was);

// While the settings key is held open, ReadSetting and WriteSetting go through that one handle: a
// tick that reads and writes ten values opens the key once, not ten times. The values read and
// written are the same; a key missing when it is held is looked for at each call as before (writes
// never create it), and one deleted meanwhile fails the calls as a missing key does. On the
// windows' thread only. HoldSettingsKey is false when the key was held already or could not be
// opened: then there is nothing to release.
bool HoldSettingsKey();
void ReleaseSettingsKey();

}  // namespace registry
