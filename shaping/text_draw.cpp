// The text-shaped outline: a line of text in the chosen font, drawn into a path and turned into a
// region whose letter counters are holes.
#include <cmath>

#include "customize/form2.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace customize {

namespace {
// Beyond this a font size is refused, as a font object refuses it, and the previous size stays.
constexpr float kMaxFontSizePoints = 2160.0f;
}  // namespace

void Form2::RebuildFont() {
    if (!dc_) return;
    // Every application re-reads the attributes; the font object is remade only when they changed.
    if (dc_.HasFont() && dc_font_attributes_ == font_) return;
    LOGFONTA lf{};
    lstrcpynA(lf.lfFaceName, font_.name.c_str(), LF_FACESIZE);
    lf.lfHeight = -static_cast<LONG>(std::lround(font_.size * GetDeviceCaps(dc_.get(), LOGPIXELSY) / 72.0f));
    lf.lfWeight = font_.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font_.italic;
    lf.lfStrikeOut = font_.strikethrough;
    lf.lfUnderline = font_.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;  // outlines, so the path has curves to follow
    lf.lfQuality = DEFAULT_QUALITY;
    win::unique_hfont font(CreateFontIndirectA(&lf));
    if (!font) return;
    dc_.SetFont(std::move(font));
    dc_font_attributes_ = font_;
}

void Form2::TextDraw() {
    ++text_draw_runs_;
    using settings::Value;
    LastFontName = settings::StripTerminator(registry::ReadSetting(names::kNFont).ToText());

    FontAttributes next = font_;
    std::string text;
    std::optional<float> size;
    if (FontPicked) {
        text = Text1.Text();
        next.name = !CD.name.empty() ? CD.name : (!LastFontName.empty() ? LastFontName : "Arial");
        size = CD.size;
        next.bold = CD.bold;
        next.italic = CD.italic;
        next.strikethrough = CD.strikethrough;
        next.underline = CD.underline;
    } else {
        text = settings::StripTerminator(registry::ReadSetting(names::kText2).ToText());
        // Raises Text1_Change (and so a nested run of this routine) when the box holds another text.
        Text1.SetText(text);
        if (!LastFontName.empty()) next.name = LastFontName;  // an empty name is refused
        size = registry::ReadSetting(names::kSFont).ToSingle();
        auto flag = [](const char* name, bool& attribute) {
            if (std::optional<bool> v = registry::ReadSetting(name).ToBool()) attribute = *v;
        };
        flag(names::kBFont, next.bold);
        flag(names::kIFont, next.italic);
        flag(names::kKFont, next.strikethrough);
        flag(names::kUFont, next.underline);
    }
    if (size && *size > 0.0f && *size <= kMaxFontSizePoints) next.size = *size;
    if (next.name.size() >= LF_FACESIZE) next.name = font_.name;  // no such face can exist

    if (text.size() > kMaxOutlineTextLength) text.resize(kMaxOutlineTextLength);

    font_ = next;
    RebuildFont();

    HDC dc = dc_.get();
    BeginPath(dc);
    TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    EndPath(dc);
    shape_.region.Replace(PathToRegion(dc));  // null for a path without figures (an empty text)
}

}  // namespace customize
