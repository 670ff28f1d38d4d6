// The text-shaped outline: a line of text in a chosen font, drawn into a path and turned into a
// region whose letter counters are holes. The drawing needs a device context but no window.
#pragma once

#include <windows.h>

#include <string>

#include "look/outline_font.h"
#include "win/handles.h"

namespace core {

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
