// A look kept in a file, to keep or to mail: UTF-8 text whose first line is exactly
// "[Pelmora look]", then one "Name=value" line for each stored value of the look, under its
// registry value name and in its stored form. "Startup" is left out: it belongs to a machine.
//
// Reading checks every line by the store's own rules before anything is stored, and a file is
// taken whole or not at all; the reason for a refusal names the line. Values left out of a file
// keep what is stored.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/registry.h"
#include "settings/value.h"

namespace core::store {

// The first line of every look file.
constexpr const char* kLookFileHeader = "[Pelmora look]";
// A look file is a few hundred bytes; anything far larger is not one.
constexpr size_t kMaxLookFileBytes = 64 * 1024;

struct LookFileValue {
    std::string name;  // a registry value name of the look
    std::string text;  // its stored form, without a terminator
};

// The values of the look, in the order a file lists them.
const std::vector<const char*>& LookFileNames();

// Why the store would not take `text` as the value `name` (an unknown name included), or none
// when it takes it and holds it exactly so.
std::optional<std::string> RefusalOf(const std::string& name, const std::string& text);

// The file's bytes: the header and one line each, CRLF after every line.
std::string FormatLookFile(const std::vector<LookFileValue>& values);

// A file read: its values, or why it is refused.
struct LookFileRead {
    std::vector<LookFileValue> values;
    std::optional<std::string> refusal;
};
// Checks every line; accepts CRLF or LF line ends, a UTF-8 byte-order mark and empty lines.
LookFileRead ParseLookFile(const std::string& bytes);

// What a command on a look file did: nothing when `refusal` says why.
struct LookFileResult {
    std::optional<std::string> refusal;
    bool ok() const { return !refusal; }
};

// The stored look written to `path` (UTF-8), whole or not at all: a failed write leaves no part
// of a file and an existing file as it was. A stored value the store would not take back is left
// out, as is a value not stored.
LookFileResult ExportLook(const std::string& path);

// The file at `path` checked whole, then stored. Nothing is stored when any line is refused.
LookFileResult ImportLook(const std::string& path);

// The check alone, without storing: what ImportLook would refuse.
LookFileRead ReadLookFile(const std::string& path);
// How a value is stored; a test hands in one that the registry refuses.
using SettingWriter = std::function<LONG(const char* name, const settings::Value& value)>;
// Stores values that ReadLookFile gave, all or none: when the registry refuses one, those stored
// before it are put back as they were, and the refusal says why (and whether some stay stored).
LookFileResult StoreLookValues(const std::vector<LookFileValue>& values,
                               const SettingWriter& write = registry::WriteSetting);

}  // namespace core::store
