// The outline's part of the look: the stored shape, read again at every application, and what
// the customize window edits (shape, outline text, font).
#include "main_window/main_window.h"
#include "win/text.h"

namespace main_window {

void MainWindow::ReadStoredShape() {
    // A shape stored by another tool is picked up here; no shape stored leaves the last outline.
    look_.shape = core::store::ReadShape();
    if (look_.shape != core::ShapeType::kText) return;
    // The text shape is stored again at each application, as it always was.
    core::store::WriteShape(core::ShapeType::kText);
    ReadOutlineSource();
}

void MainWindow::ReadOutlineSource() {
    font_face_ = core::store::ReadFontFace();
    core::StoredOutlineFont stored;
    if (!font_source_.picked) {
        // Until a font is picked the outline follows the stored text and font. The stored text is
        // held as the editor holds it (up to a NUL, at most its length), and stored back so held.
        const std::string stored_text = core::store::ReadOutlineText();
        const std::string text = win::HeldTo(stored_text.c_str(), core::kMaxOutlineTextLength);
        if (text != look_.outline_text) {
            look_.outline_text = text;
            core::store::WriteOutlineText(text);
        }
        stored = core::store::ReadOutlineFont();
    }
    look_.font =
        core::ChooseOutlineFont(font_source_.picked, font_source_.dialog, font_face_, stored, look_.font);
}

void MainWindow::ChooseShape(core::ShapeType shape) {
    look_.shape = shape;
    core::store::WriteShape(shape);
    if (shape == core::ShapeType::kText) ReadOutlineSource();
    restyler_.ApplyOutline(look_);
}

void MainWindow::EditOutlineText(const std::string& text) {
    look_.outline_text = text;
    core::store::WriteOutlineText(text);
    if (look_.shape != core::ShapeType::kText) return;
    ReadOutlineSource();
    restyler_.ApplyOutline(look_);
}

void MainWindow::PickFont(const core::FontAttributes& dialog) {
    font_source_.picked = true;
    font_source_.dialog = dialog;
    if (!dialog.name.empty())
        font_face_ = dialog.name;
    else if (font_face_.empty())
        font_face_ = "Arial";
    core::store::WriteOutlineText(look_.outline_text);
    core::store::WriteOutlineFont(font_face_, dialog);
    ReadOutlineSource();
    if (look_.shape == core::ShapeType::kText) restyler_.ApplyOutline(look_);
}

}  // namespace main_window
