#include "look/outline_font.h"

#include <cmath>

#include "win/text.h"

namespace core {

std::string OutlineTextFrom(const settings::Value& stored) {
    return settings::StripTerminator(stored.ToText());
}

FontAttributes ChooseOutlineFont(bool font_picked, const FontAttributes& dialog, const std::string& last_face,
                                 const StoredOutlineFont& stored, const FontAttributes& current) {
    FontAttributes next = current;
    std::optional<float> size;
    if (font_picked) {
        next.name = !dialog.name.empty() ? dialog.name : (!last_face.empty() ? last_face : "Arial");
        size = dialog.size;
        next.bold = dialog.bold;
        next.italic = dialog.italic;
        next.strikethrough = dialog.strikethrough;
        next.underline = dialog.underline;
    } else {
        if (!last_face.empty()) next.name = last_face;  // an empty name is refused
        size = stored.size;
        next.bold = stored.bold.value_or(current.bold);
        next.italic = stored.italic.value_or(current.italic);
        next.strikethrough = stored.strikethrough.value_or(current.strikethrough);
        next.underline = stored.underline.value_or(current.underline);
    }
    if (size && *size > 0.0f && *size <= kMaxFontSizePoints) next.size = *size;
    if (win::SystemLength(next.name) >= LF_FACESIZE) next.name = current.name;  // no such face can exist
    return next;
}

LOGFONTW LogFontOf(const FontAttributes& font, int dpi) {
    LOGFONTW lf{};
    lstrcpynW(lf.lfFaceName, win::Wide(font.name).c_str(), LF_FACESIZE);
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0f));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfUnderline = font.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;  // outlines, so a path has curves to follow
    lf.lfQuality = DEFAULT_QUALITY;
    return lf;
}

}  // namespace core
