// The load routine: runs at start and again after every label change. Each step that fails is
// skipped and the next one runs; nothing is reported.
#include "main_window/main_window.h"
#include "core/command_line.h"
#include "customize_window/customize_window.h"
#include "win/text.h"

namespace main_window {

namespace {
constexpr int kLabelBufferLength = 255;
}  // namespace

void MainWindow::Load() {
    // "/min" belongs to the process start only: a later load (after a label change) must not hide
    // the window under the user's hands.
    if (first_load_ && core::IsMinimizedStart(arguments_)) SetWindowStateMinimized();
    first_load_ = false;

    core::store::CreateKey();

    // Setting a control raises its handler, which edits the look, applies and stores the value.
    const core::LoadPlan plan = core::PlanLoad(core::store::ReadLook(), copies_);
    if (plan.tick_autostart) startup_box.SetValue(1);
    if (plan.tick_make_opaque) make_opaque_box.SetValue(1);
    new_label_box.SetText(plan.label);
    if (plan.alpha) transparency_slider.SetValue(*plan.alpha);
    x_slider.SetValue(plan.x);
    if (plan.width) width_slider.SetValue(*plan.width);
    y_slider.SetValue(plan.y);
    if (plan.height) height_slider.SetValue(*plan.height);

    restyler_.ApplyPlacement(look_.placement);

    restyler_.FindShell();
    wchar_t label[kLabelBufferLength + 1] = {};
    // Read without a message to the button: the shell may not be answering.
    if (HWND button = restyler_.shell().start_button)
        InternalGetWindowText(button, label, kLabelBufferLength);
    current_label_box.SetText(win::Utf8(label, wcslen(label)));

    // The outline before the window paints: the Start button is restyled as soon as it can be.
    ReadStoredShape();
    restyler_.ApplyOutline(look_);

    if (!minimized_) {
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
    }

    AddTrayIcon();  // a second add fails and leaves the one icon
    SetXSlidersMaximum();
}

void MainWindow::SetXSlidersMaximum() {
    const std::optional<int> x_max = core::PlanXSliderMaximum(
        GetSystemMetrics(SM_CXSCREEN), customize_window::CustomizeWindow::FrameWidth(dpi()));
    if (!x_max) return;  // nothing sound to measure: the stored X and width stay as they are
    x_slider.SetMax(*x_max);
    width_slider.SetMax(*x_max);
}

}  // namespace main_window
