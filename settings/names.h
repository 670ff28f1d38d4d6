// Registry value names of the settings, all stored as text in the settings key.
#pragma once

namespace names {

constexpr const char* kText = "Text";        // label text for the Start button
constexpr const char* kHS1 = "HS1";          // taskbar alpha, 0..255
constexpr const char* kPX1 = "PX1";          // Start button X
constexpr const char* kPX2 = "PX2";          // Start button width (also the outline's width)
constexpr const char* kPY1 = "PY1";          // Start button Y
constexpr const char* kPY2 = "PY2";          // Start button height
constexpr const char* kType = "Type";        // "Ellipse", "Rectangle" or "Text"
constexpr const char* kCheck = "Check";      // autostart, 1 or 0
constexpr const char* kCheckMT = "CheckMT";  // transparency on, 1 or 0
constexpr const char* kText2 = "Text2";      // text of the text-shaped outline
constexpr const char* kNFont = "NFont";      // its font's face name
constexpr const char* kSFont = "SFont";      // size in points
constexpr const char* kBFont = "BFont";      // bold, True or False
constexpr const char* kIFont = "IFont";      // italic
constexpr const char* kKFont = "KFont";      // strikethrough
constexpr const char* kUFont = "UFont";      // underline

constexpr const char* kAll[] = {kText,    kHS1,   kPX1,   kPX2,  kPY1,  kPY2,  kType,  kCheck,
                                kCheckMT, kText2, kNFont, kSFont, kBFont, kIFont, kKFont, kUFont};

}  // namespace names
