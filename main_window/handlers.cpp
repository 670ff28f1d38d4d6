// Handlers of the main window's controls and its timer. Each turns the person's input into an edit
// of the look: the look takes it, the shell is given it, the field is stored.
#include "main_window/main_window.h"

namespace main_window {

void MainWindow::Perform(const core::LookEdit& edit) {
    const core::EditEffect effect = core::ApplyEdit(look_, edit);
    ShowField(edit.field);
    switch (effect.apply) {
        case core::EditEffect::Apply::kAlpha:
            restyler_.ApplyAlpha(effect.alpha);
            break;
        case core::EditEffect::Apply::kPlacement:
            restyler_.ApplyPlacement(look_.placement);
            break;
        case core::EditEffect::Apply::kNothing:
            break;
    }
    core::store::WriteField(look_, edit.field);
}

void MainWindow::ShowField(core::LookField field) {
    switch (field) {
        case core::LookField::kAutostart:
            startup_box_.SetValue(look_.autostart ? 1 : 0);
            break;
        case core::LookField::kMakeOpaque:
            make_opaque_box_.SetValue(look_.make_opaque ? 1 : 0);
            transparency_slider_.SetVisible(look_.make_opaque);
            break;
        case core::LookField::kAlpha:
            transparency_slider_.SetValue(look_.alpha);
            break;
        case core::LookField::kX:
            x_slider_.SetValue(look_.placement.x);
            break;
        case core::LookField::kWidth:
            width_slider_.SetValue(look_.placement.width);
            break;
        case core::LookField::kY:
            y_slider_.SetValue(look_.placement.y);
            break;
        case core::LookField::kHeight:
            height_slider_.SetValue(look_.placement.height);
            break;
    }
}

void MainWindow::ShowLabel(const std::string& label) {
    new_label_box_.SetText(label);
    look_.label = new_label_box_.Text();  // as the box holds it
}

void MainWindow::OnApplyLabelClicked() {
    const std::string label = new_label_box_.Text();
    restyler_.ApplyLabel(label);
    core::store::WriteLabel(label);
    ShowLabel("");
    Load();  // everything read back and applied again, the shell searched anew
}

void MainWindow::OnTick() {
    core::Restyler::Application tick(restyler_);
    if (!tick) return;  // a message dispatched inside the last tick: no tick in a tick
    const core::store::KeyHeldOpen settings_key;
    tick.FindExtras();
    if (look_.make_opaque) {
        tick.Alpha(look_.alpha);
        core::store::WriteAlpha(look_.alpha);  // stored again at every tick, as it always was
    }
    tick.Placement(look_.placement);
    tick.Label(look_.label);
    ReadStoredShape();
    tick.Outline(look_);
    // An icon the notification area was not answering for is added now, if it answers.
    if (tray_icon_) tray_icon_->RetryAdd(tick.calls());
}

}  // namespace main_window
