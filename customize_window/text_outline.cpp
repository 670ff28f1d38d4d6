// The customize window's part of the text outline: which text and stored font the core draws it
// from, before and after a font was picked in the dialog.
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace customize_window {

void CustomizeWindow::BuildTextOutline() {
    ++text_outline_runs_;
    last_font_name = settings::StripTerminator(registry::ReadSetting(names::kFontFace).ToText());

    std::string text;
    core::StoredOutlineFont stored;
    if (font_picked) {
        text = outline_text_box.Text();
    } else {
        text = core::OutlineTextFrom(registry::ReadSetting(names::kOutlineText));
        // Raises OnOutlineTextChanged (and so a nested run of this routine) when the box holds another text.
        outline_text_box.SetText(text);
        stored = core::ReadStoredOutlineFont();
    }
    font_ = core::ChooseOutlineFont(font_picked, font_dialog, last_font_name, stored, font_);
    shape_.region.Replace(outliner_.Build(text, font_));  // null for an empty text
}

}  // namespace customize_window
