// The text-shaped outline's font and text, as plain values: which font the next outline is drawn in
// is a pure function of what is stored and of the font dialog's last values.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/value.h"

namespace core {

// The longest outline text. A longer one (written by another tool) would cost one glyph path per
// character on every application, once a second, for a shape far wider than any screen.
constexpr size_t kMaxOutlineTextLength = 254;
// Beyond this a font size is refused, as a font object refuses it, and the previous size stays.
constexpr float kMaxFontSizePoints = 2160.0f;

// A font: an outline's, and what the font dialog holds between uses (before its first use, an
// empty face).
struct FontAttributes {
    std::string name;
    float size = 8.0f;
    bool bold = false, italic = false, strikethrough = false, underline = false;

    bool operator==(const FontAttributes& o) const {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
               strikethrough == o.strikethrough && underline == o.underline;
    }
};

// The system's description of the font with its point size in pixels at `dpi`.
LOGFONTW LogFontOf(const FontAttributes& font, int dpi);

// The stored font settings after the face: a value that does not convert is absent.
struct StoredOutlineFont {
    std::optional<float> size;
    std::optional<bool> bold, italic, strikethrough, underline;
};

// The stored outline text as drawn: without its terminator.
std::string OutlineTextFrom(const settings::Value& stored);

// The font of the next outline. Once a font was picked in this run: the dialog's face, else the
// last stored face, else "Arial", and the dialog's size and flags. Before: the stored face (an empty
// one is refused) and the stored size and flags. A refused or absent value keeps `current`'s; a
// size outside (0, kMaxFontSizePoints] and a face no font can have are refused.
FontAttributes ChooseOutlineFont(bool font_picked, const FontAttributes& dialog, const std::string& last_face,
                                 const StoredOutlineFont& stored, const FontAttributes& current);

}  // namespace core
