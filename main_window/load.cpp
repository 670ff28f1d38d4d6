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
    const core::store::KeyHeldOpen settings_key;

    // What the stored values change is done as the person's own change would be: the look takes
    // it, the shell is given it, and it is stored back, one field at a time in this order.
    const core::LoadPlan plan = core::PlanLoad(core::store::ReadLook(), copies_);
    ShowLabel(plan.label);
    for (const core::LookEdit& edit : core::LoadEdits(plan, look_, SliderRanges())) Perform(edit);

    restyler_.ApplyPlacement(look_.placement);

    restyler_.FindShell();
    wchar_t label[kLabelBufferLength + 1] = {};
    // Read without a message to the button: the shell may not be answering.
    if (HWND button = restyler_.shell().start_button)
        InternalGetWindowText(button, label, kLabelBufferLength);
    current_label_box_.SetText(win::Utf8(label, wcslen(label)));

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
    x_slider_.SetMax(*x_max);
    width_slider_.SetMax(*x_max);
    for (const core::LookEdit& edit : core::MaximumEdits(look_, *x_max)) Perform(edit);
}

core::SliderRanges MainWindow::SliderRanges() const {
    auto range = [](const controls::ScrollBar& slider) {
        return core::SliderRange{slider.Min(), slider.Max()};
    };
    return {range(transparency_slider_), range(x_slider_), range(width_slider_), range(y_slider_),
            range(height_slider_)};
}

}  // namespace main_window
