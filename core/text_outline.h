// The text-shaped outline: a line of text in a chosen font, drawn into a path and turned into a
// region whose letter counters are holes. The choice of font is a pure function of what is stored
// and of the font dialog's last values; the drawing needs a device context but no window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/value.h"
#include "win/handles.h"

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

// Draws outlines in a memory context of its own, which keeps its font between outlines: the font
// object is remade only when the attributes change. The font is never deleted while selected.
class TextOutliner {
  public:
    TextOutliner() = default;
    TextOutliner(const TextOutliner&) = delete;
    TextOutliner& operator=(const TextOutliner&) = delete;

    // A context like `compatible_with`'s (the screen's when null).
    bool Create(HDC compatible_with);
    // The outline of `text` (at most kMaxOutlineTextLength characters are drawn) from (0, 0) at the
    // top-left of its first character cell; null for a text without figures (empty or all spaces).
    // A font the system refuses leaves the previous one in force. The point size becomes pixels at
    // `dpi` (the Start button's monitor's), or at the context's when 0.
    win::unique_hrgn Build(const std::string& text, const FontAttributes& font, int dpi = 0);

  private:
    void UseFont(const FontAttributes& font, int dpi);

    // In this order, so that they go in the other: the context's own font put back, then the
    // font deleted (never while selected), then the context.
    win::unique_hdc dc_;
    win::unique_hfont font_;
    win::unique_select_object font_selected_;
    FontAttributes font_made_from_{"Arial"};
    int font_dpi_ = 0;
};

}  // namespace core
