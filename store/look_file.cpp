#include "store/look_file.h"

#include <windows.h>

#include <utility>

#include "look/outline_font.h"
#include "look/shape.h"
#include "look/stored_look.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "store/look_store.h"
#include "win/handles.h"
#include "win/text.h"

namespace core::store {

namespace {

// The longest value a look holds: a label or an outline text. No line of a look file is longer.
constexpr size_t kLongestValueUnits =
    kMaxLabelLength > kMaxOutlineTextLength ? kMaxLabelLength : kMaxOutlineTextLength;

constexpr const char* kTooLarge = "The file is larger than 64 KiB: it is not a look file.";

std::optional<std::string> Refuse(const std::string& why) { return why; }

// A whole number the store writes back as it reads it, within [low, high].
std::optional<std::string> WholeNumberRefusal(const std::string& text, int low, int high) {
    const std::optional<int16_t> n = settings::Value::Text(text).ToInt16();
    if (!n || std::to_string(*n) != text) return Refuse("is not a whole number written plainly");
    if (*n < low || *n > high)
        return Refuse("is outside " + std::to_string(low) + " to " + std::to_string(high));
    return std::nullopt;
}

std::optional<std::string> TextRefusal(const std::string& text, size_t max_units) {
    if (win::SystemLength(text) > max_units)
        return Refuse("is longer than " + std::to_string(max_units) + " characters");
    return std::nullopt;
}

// The system's words for an error, on one line.
std::string SystemReason(DWORD error) {
    wchar_t buffer[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                  0, buffer, ARRAYSIZE(buffer), nullptr);
    while (length > 0 &&
           (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
        --length;
    std::string reason = win::Utf8(buffer, length);
    if (reason.empty()) reason = "system error " + std::to_string(error);
    return reason;
}

LookFileRead RefusedRead(std::string why) {
    LookFileRead refused;
    refused.refusal = std::move(why);
    return refused;
}

bool IsUtf8(const std::string& bytes) {
    if (bytes.empty()) return true;
    if (bytes.find('\0') != std::string::npos) return false;
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                               nullptr, 0) > 0;
}

win::unique_handle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
    const HANDLE file = CreateFileW(win::Wide(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return win::unique_handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Writes the whole of `bytes` to a new file at `path` and makes sure they reach the disk; the
// system's error, or 0.
DWORD WriteWhole(const std::string& path, const std::string& bytes) {
    const win::unique_handle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        !FlushFileBuffers(file.get()))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_WRITE_FAULT;
}

}  // namespace

const std::vector<const char*>& LookFileNames() {
    static const std::vector<const char*> names_in_order = {
        names::kLabel,         names::kShapeType, names::kOutlineText, names::kFontFace,
        names::kFontSize,      names::kFontBold,  names::kFontItalic,  names::kFontStrikethrough,
        names::kFontUnderline, names::kX,         names::kWidth,       names::kY,
        names::kHeight,        names::kAlpha,     names::kMakeOpaque};
    return names_in_order;
}

std::optional<std::string> RefusalOf(const std::string& name, const std::string& text) {
    using settings::Value;
    if (name == names::kLabel) return TextRefusal(text, kMaxLabelLength);
    if (name == names::kOutlineText) return TextRefusal(text, kMaxOutlineTextLength);
    if (name == names::kFontFace) {
        if (text.empty()) return Refuse("is empty");
        return TextRefusal(text, LF_FACESIZE - 1);
    }
    if (name == names::kShapeType) {
        const char* word = ShapeTypeWord(ParseShapeType(Value::Text(text)));
        if (!word || text != word) return Refuse("is not Ellipse, Rectangle or Text");
        return std::nullopt;
    }
    if (name == names::kFontSize) {
        const std::optional<float> size = Value::Text(text).ToSingle();
        if (!size || Value::Single(*size).ToStoredText() != text)
            return Refuse("is not a number written plainly");
        if (!(*size > 0.0f && *size <= kMaxFontSizePoints)) return Refuse("is not a font size");
        return std::nullopt;
    }
    if (name == names::kFontBold || name == names::kFontItalic || name == names::kFontStrikethrough ||
        name == names::kFontUnderline) {
        if (text != "True" && text != "False") return Refuse("is not True or False");
        return std::nullopt;
    }
    if (name == names::kMakeOpaque) {
        if (text != "1" && text != "0") return Refuse("is not 1 or 0");
        return std::nullopt;
    }
    if (name == names::kAlpha) return WholeNumberRefusal(text, 0, 255);
    // The screen decides how far the X and width sliders reach: any width a screen can have.
    if (name == names::kX || name == names::kWidth) return WholeNumberRefusal(text, 0, 32767);
    if (name == names::kY || name == names::kHeight) return WholeNumberRefusal(text, 0, 100);
    return Refuse("is not a value of the look");
}

std::string FormatLookFile(const std::vector<LookFileValue>& values) {
    std::string file = std::string(kLookFileHeader) + "\r\n";
    for (const LookFileValue& value : values) file += value.name + "=" + value.text + "\r\n";
    return file;
}

LookFileRead ParseLookFile(const std::string& bytes) {
    LookFileRead read;
    if (bytes.size() > kMaxLookFileBytes) return RefusedRead(kTooLarge);
    if (!IsUtf8(bytes)) return RefusedRead("The file is not UTF-8 text.");
    size_t at = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line_number = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = "Line " + std::to_string(++line_number) + ": ";
        if (line_number == 1) {
            if (line != kLookFileHeader)
                return RefusedRead("The first line is not " + std::string(kLookFileHeader) +
                                   ": it is not a look file.");
            continue;
        }
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) return RefusedRead(where + "it is not Name=value.");
        const std::string name = line.substr(0, equals), text = line.substr(equals + 1);
        if (win::SystemLength(text) > kLongestValueUnits)
            return RefusedRead(where + "it is longer than the longest value of a look.");
        if (const std::optional<std::string> why = RefusalOf(name, text))
            return RefusedRead(where + name + " " + *why + ".");
        for (const LookFileValue& earlier : read.values)
            if (earlier.name == name) return RefusedRead(where + name + " comes twice.");
        read.values.push_back({name, text});
    }
    if (line_number == 0) return RefusedRead("The file is empty: it is not a look file.");
    return read;
}

LookFileResult ExportLook(const std::string& path) {
    if (path.empty()) return {"No file was named."};
    std::vector<LookFileValue> values;
    for (const char* name : LookFileNames()) {
        const settings::Value stored = registry::ReadSetting(name);
        if (stored.IsEmpty()) continue;
        std::string text = settings::StripTerminator(stored.ToText());
        if (RefusalOf(name, text)) continue;  // nothing the store would take back
        values.push_back({name, std::move(text)});
    }
    const std::string bytes = FormatLookFile(values);

    // Written beside the file and moved over it only when whole.
    const std::string partial = path + ".partial";
    DWORD error = WriteWhole(partial, bytes);
    if (!error && !MoveFileExW(win::Wide(partial).c_str(), win::Wide(path).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error) {
        DeleteFileW(win::Wide(partial).c_str());
        return {"The file cannot be written: " + SystemReason(error)};
    }
    return {};
}

LookFileRead ReadLookFile(const std::string& path) {
    if (path.empty()) return RefusedRead("No file was named.");
    // Why the call just made failed, in the system's words.
    const auto cannot_read = [] {
        return RefusedRead("The file cannot be read: " + SystemReason(GetLastError()));
    };
    const win::unique_handle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) return cannot_read();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return cannot_read();
    if (size.QuadPart > static_cast<LONGLONG>(kMaxLookFileBytes)) return RefusedRead(kTooLarge);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr))
        return cannot_read();
    bytes.resize(read);
    return ParseLookFile(bytes);
}

LookFileResult StoreLookValues(const std::vector<LookFileValue>& values, const SettingWriter& write) {
    CreateKey();
    // What each value was, so that a file the store takes only in part can be taken back out.
    std::vector<registry::StoredSetting> before;
    for (const LookFileValue& value : values) {
        std::optional<registry::StoredSetting> was = registry::ReadStoredSetting(value.name.c_str());
        if (!was) return {"The look could not be stored (" + value.name + " cannot be read)."};
        before.push_back(std::move(*was));
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const LONG status = write(values[i].name.c_str(), settings::Value::Text(values[i].text));
        if (status == ERROR_SUCCESS) continue;
        bool undone = true;
        for (size_t j = 0; j < i; ++j)
            undone =
                registry::RestoreStoredSetting(values[j].name.c_str(), before[j]) == ERROR_SUCCESS && undone;
        return {"The look could not be stored (" + values[i].name +
                "): " + SystemReason(static_cast<DWORD>(status)) +
                (undone ? "" : " Some of it stays stored: store the look again.")};
    }
    return {};
}

LookFileResult ImportLook(const std::string& path) {
    const LookFileRead read = ReadLookFile(path);
    if (read.refusal) return {read.refusal};
    return StoreLookValues(read.values);
}

}  // namespace core::store
