#include "core/look_store.h"

#include "core/command_line.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace core::store {

namespace {

settings::Value Read(const char* name) { return registry::ReadSetting(name); }
void Write(const char* name, const settings::Value& value) { registry::WriteSetting(name, value); }
settings::Value Flag(bool on) { return settings::Value::Int16(on ? 1 : 0); }

}  // namespace

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

void WriteMakeOpaque(bool on) { Write(names::kMakeOpaque, Flag(on)); }

void WritePlacement(PlacementField field, int value) {
    static constexpr const char* kNames[] = {names::kX, names::kWidth, names::kY, names::kHeight};
    Write(kNames[static_cast<int>(field)], settings::Value::Int16(static_cast<int16_t>(value)));
}

void WriteShape(ShapeType shape) {
    if (const char* word = ShapeTypeWord(shape)) Write(names::kShapeType, settings::Value::Text(word));
}

void WriteOutlineText(const std::string& text) { Write(names::kOutlineText, settings::Value::Text(text)); }

void WriteOutlineFont(const std::string& face, const FontDialogState& dialog) {
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
