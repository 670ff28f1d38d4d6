// The stored look: the only code above the registry routines that knows them and the names of the
// values. It reads what the load and the tick need and writes one field of the look at a time, in
// the stored forms the settings have always had (every value a text).
#pragma once

#include <cstdint>
#include <string>

#include "look/look.h"
#include "look/look_edit.h"
#include "look/shape.h"
#include "look/stored_look.h"
#include "look/outline_font.h"

namespace core::store {

// Creates the settings key when it is missing; the writes below never create it.
void CreateKey();

// While one lives, the calls below open the settings key once between them (a tick's ten reads and
// writes), not once each; what they read and write is the same.
class KeyHeldOpen {
  public:
    KeyHeldOpen();
    ~KeyHeldOpen();
    KeyHeldOpen(const KeyHeldOpen&) = delete;
    KeyHeldOpen& operator=(const KeyHeldOpen&) = delete;

  private:
    bool held_;  // this one opened it, and closes it
};

// The eight values the load reads, unconverted, in its order.
StoredLook ReadLook();
// The stored shape type, as parsed.
ShapeType ReadShape();
// The stored outline text, without its terminator.
std::string ReadOutlineText();
// The stored face of the outline's font, without its terminator.
std::string ReadFontFace();
// The stored size and four flags of the outline's font, in that order.
StoredOutlineFont ReadOutlineFont();

void WriteLabel(const std::string& label);
void WriteAlpha(int16_t alpha);
// The look's value of one field, in its stored form; autostart with the running program's path.
void WriteField(const Look& look, LookField field);
// Ellipse, Rectangle or Text; no shape writes nothing.
void WriteShape(ShapeType shape);
void WriteOutlineText(const std::string& text);
// The face, then the dialog's size and flags.
void WriteOutlineFont(const std::string& face, const FontAttributes& dialog);
// Ticked: the Run value (the quoted program path, then " /min") and "1"; cleared: the Run value
// deleted and "0".
void WriteAutostart(bool on, const std::string& exe_path);

}  // namespace core::store
