// Registry value names of the settings, all stored as text in the settings key. The names are the
// stored data's own and never change; the constants say what each holds.
#pragma once

namespace names {

constexpr const char* kLabel = "Text";               // the Start button's label
constexpr const char* kAlpha = "HS1";                // taskbar alpha, 0..255
constexpr const char* kX = "PX1";                    // Start button X, relative to the taskbar
constexpr const char* kWidth = "PX2";                // Start button width (also the outline's width)
constexpr const char* kY = "PY1";                    // Start button Y
constexpr const char* kHeight = "PY2";               // Start button height
constexpr const char* kShapeType = "Type";           // "Ellipse", "Rectangle" or "Text"
constexpr const char* kAutostart = "Check";          // start at logon, 1 or 0
constexpr const char* kMakeOpaque = "CheckMT";       // transparency on, 1 or 0
constexpr const char* kOutlineText = "Text2";        // text of the text-shaped outline
constexpr const char* kFontFace = "NFont";           // its font's face name
constexpr const char* kFontSize = "SFont";           // size in points
constexpr const char* kFontBold = "BFont";           // bold, True or False
constexpr const char* kFontItalic = "IFont";         // italic
constexpr const char* kFontStrikethrough = "KFont";  // strikethrough
constexpr const char* kFontUnderline = "UFont";      // underline

constexpr const char* kAll[] = {kLabel,        kAlpha,     kX,         kWidth,      kY,
                                kHeight,       kShapeType, kAutostart, kMakeOpaque, kOutlineText,
                                kFontFace,     kFontSize,  kFontBold,  kFontItalic, kFontStrikethrough,
                                kFontUnderline};

}  // namespace names
