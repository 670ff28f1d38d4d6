// The customize window: the shape toolbar, the outline's text and its font. Created hidden on
// first use and kept until the program ends; closing it only hides it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/controls.h"
#include "customize/toolbar.h"
#include "shaping/outline_dc.h"
#include "shaping/shared_shape.h"
#include "win/handles.h"
#include "win/window.h"

namespace customize {

constexpr const char* kForm2Class = "Pelmora.Form2";
// The longest outline text. A longer one (written by another tool) would cost one glyph path per
// character on every application, once a second, for a shape far wider than any screen.
constexpr size_t kMaxOutlineTextLength = 254;

// What the font dialog holds between uses. Before its first use the name is empty.
struct FontDialogState {
    std::string name;
    float size = 8.0f;
    bool bold = false, italic = false, strikethrough = false, underline = false;
};

// The font attributes the window's own font carries.
struct FontAttributes {
    std::string name = "Arial";
    float size = 8.0f;
    bool bold = false, italic = false, strikethrough = false, underline = false;

    bool operator==(const FontAttributes& o) const {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
               strikethrough == o.strikethrough && underline == o.underline;
    }
};

class Form2 : public win::Window {
public:
    // `shape_application` is the main window's draw.
    Form2(shaping::SharedShape& shape, std::function<void()> shape_application);

    bool Create();
    void Show();
    void SetOuterWidth(int pixels);
    int ClientWidthPixels() const;

    void Ellipse2(uint8_t show);
    void Rectangle2(uint8_t show);
    void Text2(uint8_t show);
    void TextDraw();

    void Toolbar1_ButtonClick(int index);
    void Text1_Change();
    void Command2_Click();
    void Form_Unload();

    // The font dialog; tests put a stand-in here. It returns true for OK, and fills `chosen`.
    std::function<bool(HWND owner, const FontDialogState& last, FontDialogState& chosen)> ShowFontDialog;

    Toolbar Toolbar1;
    controls::Frame Frame1;
    controls::TextBox Text1;
    controls::Button Command2;
    bool FontPicked = false;
    std::string LastFontName;
    FontDialogState CD;
    const FontAttributes& Font() const { return font_; }
    int TextDrawRuns() const { return text_draw_runs_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void SetFrame1Visible(bool visible);
    void ApplyShapeMethodCommon(uint8_t show, bool frame_visible, int release_a, int release_b);
    void RebuildFont();

    shaping::SharedShape& shape_;
    std::function<void()> shape_application_;
    controls::ControlHost host_;
    int dpi_ = 96;
    FontAttributes font_;
    // The window's private drawing context: the same font stays selected between runs.
    shaping::OutlineDc dc_;
    FontAttributes dc_font_attributes_;  // what the context's font was made from
    int text_draw_runs_ = 0;
};

// ChooseFontA listing the screen fonts, starting from the last values. Cancel leaves `chosen` alone.
bool ShowSystemFontDialog(HWND owner, const FontDialogState& last, FontDialogState& chosen);

}  // namespace customize
