// Handlers of the main window's controls and its timer, and the load. Each turns the person's
// input into an event for the look's owner and shows what it answers.
#include "main_window/main_window.h"
#include "look/command_line.h"
#include "customize_window/customize_window.h"

namespace main_window {

void MainWindow::Load(const core::LookEvent& load) {
    // "/min" belongs to the process start only: a later load (after a label change) must not hide
    // the window under the user's hands.
    if (first_load_ && core::IsMinimizedStart(arguments_)) SetWindowStateMinimized();
    first_load_ = false;
    Show(keeper_->Handle(load));
    if (!minimized_) {
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
    }
}

core::ScreenMeasure MainWindow::MeasureScreen() const {
    return {GetSystemMetrics(SM_CXSCREEN), customize_window::CustomizeWindow::FrameWidth(dpi())};
}

void MainWindow::Show(const core::Shown& shown) {
    using core::ShownPart;
    // The ranges before the values: a value beyond the old range is refused.
    if (shown.Has(ShownPart::kSliderRanges)) {
        x_slider_.SetMax(keeper_->slider_ranges().x.max);
        width_slider_.SetMax(keeper_->slider_ranges().width.max);
    }
    for (core::LookField field :
         {core::LookField::kAutostart, core::LookField::kMakeOpaque, core::LookField::kAlpha,
          core::LookField::kX, core::LookField::kWidth, core::LookField::kY, core::LookField::kHeight})
        if (shown.Has(core::PartOf(field))) ShowField(field);
    if (shown.Has(ShownPart::kLabel)) ShowLabel();
    if (shown.Has(ShownPart::kStartButtonLabel)) current_label_box_.SetText(keeper_->start_button_label());
}

void MainWindow::ShowField(core::LookField field) {
    const core::Look& look = keeper_->look();
    switch (field) {
        case core::LookField::kAutostart:
            startup_box_.SetValue(look.autostart ? 1 : 0);
            break;
        case core::LookField::kMakeOpaque:
            make_opaque_box_.SetValue(look.make_opaque ? 1 : 0);
            transparency_slider_.SetVisible(look.make_opaque);
            break;
        case core::LookField::kAlpha:
            transparency_slider_.SetValue(look.alpha);
            break;
        case core::LookField::kX:
            x_slider_.SetValue(look.placement.x);
            break;
        case core::LookField::kWidth:
            width_slider_.SetValue(look.placement.width);
            break;
        case core::LookField::kY:
            y_slider_.SetValue(look.placement.y);
            break;
        case core::LookField::kHeight:
            height_slider_.SetValue(look.placement.height);
            break;
    }
}

void MainWindow::ShowLabel() {
    new_label_box_.SetText(keeper_->look().label);
    // The box holds one line of at most its length: what it holds is the label the tick gives.
    if (new_label_box_.Text() != keeper_->look().label) OnLabelTyped();
}

void MainWindow::OnLabelTyped() { keeper_->Handle(core::LabelTyped{new_label_box_.Text()}); }

void MainWindow::OnApplyLabelClicked() {
    // The box is emptied and everything read back and applied again, the shell searched anew.
    Load(core::LabelApplied{new_label_box_.Text(), MeasureScreen()});
}

}  // namespace main_window
