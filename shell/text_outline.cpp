#include "shell/text_outline.h"

#include "win/text.h"

namespace core {

bool TextOutliner::Create(HDC compatible_with) {
    dc_.reset(CreateCompatibleDC(compatible_with));
    if (!dc_) return false;
    SetBkMode(dc_.get(), TRANSPARENT);  // glyph outlines only, no background box
    UseFont(font_made_from_, 0);
    return true;
}

void TextOutliner::UseFont(const FontAttributes& font, int dpi) {
    if (!dc_) return;
    if (dpi <= 0) dpi = GetDeviceCaps(dc_.get(), LOGPIXELSY);
    if (font_ && font == font_made_from_ && dpi == font_dpi_) return;
    const LOGFONTW lf = LogFontOf(font, dpi);
    win::unique_hfont made(CreateFontIndirectW(&lf));
    if (!made || !font_selected_.select(dc_.get(), made.get())) return;
    font_ = std::move(made);  // the font it replaces was deselected above
    font_made_from_ = font;
    font_dpi_ = dpi;
}

win::unique_hrgn TextOutliner::Build(const std::string& text, const FontAttributes& font, int dpi) {
    if (!dc_) return win::unique_hrgn();
    UseFont(font, dpi);
    const win::WideText drawn = win::Wide(win::HeldTo(text, kMaxOutlineTextLength));
    HDC dc = dc_.get();
    BeginPath(dc);
    TextOutW(dc, 0, 0, drawn.c_str(), static_cast<int>(drawn.size()));
    EndPath(dc);
    return win::unique_hrgn(PathToRegion(dc));  // null for a path without figures
}

}  // namespace core
