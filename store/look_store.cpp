#include "store/look_store.h"

#include <vector>

#include "look/command_line.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "win/text.h"

namespace core::store {

namespace {

settings::Value Read(const char* name) { return registry::ReadSetting(name); }
void Write(const char* name, const settings::Value& value) { registry::WriteSetting(name, value); }
settings::Value Flag(bool on) { return settings::Value::Int16(on ? 1 : 0); }
void WritePosition(const char* name, int value) {
    Write(name, settings::Value::Int16(static_cast<int16_t>(value)));
}

std::string RunningProgramPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return win::Utf8(path.data(), length);
        path.resize(path.size() * 2);
    }
}

}  // namespace

KeyHeldOpen::KeyHeldOpen() : held_(registry::HoldSettingsKey()) {}
KeyHeldOpen::~KeyHeldOpen() {
    if (held_) registry::ReleaseSettingsKey();
}

void CreateKey() { registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey); }

StoredLook ReadLook() {
    StoredLook s;
    s.label = Read(names::kLabel);
    s.alpha = Read(names::kAlpha);
    s.x = Read(names::kX);
    s.width = Read(names::kWidth);
    s.y = Read(names::kY);
    s.height = Read(names::kHeight);
    s.autostart = Read(names::kAutostart);
    s.make_opaque = Read(names::kMakeOpaque);
    return s;
}

ShapeType ReadShape() { return ParseShapeType(Read(names::kShapeType)); }

std::string ReadOutlineText() { return OutlineTextFrom(Read(names::kOutlineText)); }

std::string ReadFontFace() { return settings::StripTerminator(Read(names::kFontFace).ToText()); }

StoredOutlineFont ReadOutlineFont() {
    StoredOutlineFont stored;
    stored.size = Read(names::kFontSize).ToSingle();
    stored.bold = Read(names::kFontBold).ToBool();
    stored.italic = Read(names::kFontItalic).ToBool();
    stored.strikethrough = Read(names::kFontStrikethrough).ToBool();
    stored.underline = Read(names::kFontUnderline).ToBool();
    return stored;
}

void WriteLabel(const std::string& label) { Write(names::kLabel, settings::Value::Text(label)); }

void WriteAlpha(int16_t alpha) { Write(names::kAlpha, settings::Value::Int16(alpha)); }

void WriteField(const Look& look, LookField field) {
    switch (field) {
        case LookField::kAutostart:
            WriteAutostart(look.autostart, look.autostart ? RunningProgramPath() : std::string());
            break;
        case LookField::kMakeOpaque:
            Write(names::kMakeOpaque, Flag(look.make_opaque));
            break;
        case LookField::kAlpha:
            WriteAlpha(look.alpha);
            break;
        case LookField::kX:
            WritePosition(names::kX, look.placement.x);
            break;
        case LookField::kWidth:
            WritePosition(names::kWidth, look.placement.width);
            break;
        case LookField::kY:
            WritePosition(names::kY, look.placement.y);
            break;
        case LookField::kHeight:
            WritePosition(names::kHeight, look.placement.height);
            break;
    }
}

void WriteShape(ShapeType shape) {
    if (const char* word = ShapeTypeWord(shape)) Write(names::kShapeType, settings::Value::Text(word));
}

void WriteOutlineText(const std::string& text) { Write(names::kOutlineText, settings::Value::Text(text)); }

void WriteOutlineFont(const std::string& face, const FontAttributes& dialog) {
    using settings::Value;
    Write(names::kFontFace, Value::Text(face));
    Write(names::kFontSize, Value::Single(dialog.size));
    Write(names::kFontBold, Value::Bool(dialog.bold));
    Write(names::kFontItalic, Value::Bool(dialog.italic));
    Write(names::kFontStrikethrough, Value::Bool(dialog.strikethrough));
    Write(names::kFontUnderline, Value::Bool(dialog.underline));
}

void WriteAutostart(bool on, const std::string& exe_path) {
    if (on) {
        // Quoted: a path with spaces must not resolve to another program at logon.
        registry::RegistryWriteValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName,
                                     settings::Value::Text(AutostartCommand(exe_path)), REG_SZ);
    } else {
        registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName);
    }
    Write(names::kAutostart, Flag(on));
}

}  // namespace core::store
