// The load routine: runs at start and again after every label change. Each step that fails is
// skipped and the next one runs; nothing is reported.
#include <cmath>

#include "main_window/main_window.h"
#include "core/stored_look.h"
#include "core/command_line.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "win/dpi.h"

namespace main_window {

namespace {
constexpr int kLabelBufferLength = 255;
constexpr int kCustomizeNormalWidthTwips = 4035;
}  // namespace

void MainWindow::Load() {
    // "/min" belongs to the process start only: a later load (after a label change) must not hide
    // the window under the user's hands.
    if (first_load_ && core::IsMinimizedStart(arguments_)) SetWindowStateMinimized();
    first_load_ = false;

    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);

    const core::LoadPlan plan = core::PlanLoad(core::ReadStoredLook(), copies_);
    if (plan.tick_autostart) startup_box.SetValue(1);
    if (plan.tick_make_opaque) make_opaque_box.SetValue(1);
    new_label_box.SetText(plan.label);
    if (plan.alpha) transparency_slider.SetValue(*plan.alpha);
    x_slider.SetValue(plan.x);
    if (plan.width) width_slider.SetValue(*plan.width);
    y_slider.SetValue(plan.y);
    if (plan.height) height_slider.SetValue(*plan.height);

    ApplyPlacement();

    shell_.FindAll();
    char label[kLabelBufferLength + 1] = {};
    if (shell_.start_button) GetWindowTextA(shell_.start_button, label, kLabelBufferLength);
    current_label_box.SetText(label);

    if (!minimized_) {
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
    }

    AddTrayIcon();  // a second add fails and leaves the one icon
    ApplyShape();

    // The X sliders reach as far as the screen is wide, measured as the customize window's
    // client width when its outer width is the screen's.
    customize_window::CustomizeWindow& customize = Customize();
    customize.SetOuterWidth(GetSystemMetrics(SM_CXSCREEN));
    const int x_max = static_cast<int>(std::lround(static_cast<float>(customize.ClientWidthPixels()) + 10.0f));
    if (x_max >= -32768 && x_max <= 32767) {
        x_slider.SetMax(x_max);
        width_slider.SetMax(x_max);
    }
    customize.SetOuterWidth(win::TwipsToPixels(kCustomizeNormalWidthTwips, dpi_));
}

core::Placement MainWindow::SliderPlacement() const {
    return {x_slider.Value(), y_slider.Value(), width_slider.Value(), height_slider.Value()};
}

void MainWindow::ApplyPlacement() { core::ApplyPlacement(shell_, SliderPlacement()); }

}  // namespace main_window
