// Handlers of the main window's controls and its timer. Each applies its change, then stores it.
#include <vector>

#include "main_window/main_window.h"
#include "core/command_line.h"
#include "settings/names.h"
#include "settings/registry.h"

namespace main_window {

namespace {

std::string RunningExecutablePath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

settings::Value Position(const controls::ScrollBar& slider) {
    return settings::Value::Int16(static_cast<int16_t>(slider.Value()));
}

}  // namespace

void MainWindow::OnMakeOpaqueClicked() {
    int16_t stored = 0;
    if (make_opaque_box.Value() == 1) {
        transparency_slider.SetVisible(true);
        core::ApplyAlpha(shell_, static_cast<int16_t>(transparency_slider.Value()));
        stored = 1;
    } else {
        transparency_slider.SetVisible(false);
        core::ApplyAlpha(shell_, 255);
    }
    registry::WriteSetting(names::kMakeOpaque, settings::Value::Int16(stored));
}

void MainWindow::OnTransparencyChanged() {
    core::ApplyAlpha(shell_, static_cast<int16_t>(transparency_slider.Value()));
    registry::WriteSetting(names::kAlpha, Position(transparency_slider));
}

// Each position slider places the Start button from all four, then stores its own value.
void MainWindow::OnPlacementSliderChanged(const char* setting, const controls::ScrollBar& slider) {
    ApplyPlacement();
    registry::WriteSetting(setting, Position(slider));
}

void MainWindow::OnXChanged() { OnPlacementSliderChanged(names::kX, x_slider); }
void MainWindow::OnWidthChanged() { OnPlacementSliderChanged(names::kWidth, width_slider); }
void MainWindow::OnYChanged() { OnPlacementSliderChanged(names::kY, y_slider); }
void MainWindow::OnHeightChanged() { OnPlacementSliderChanged(names::kHeight, height_slider); }

void MainWindow::OnApplyLabelClicked() {
    const std::string label = new_label_box.Text();
    core::ApplyLabel(shell_, label);
    registry::WriteSetting(names::kLabel, settings::Value::Text(label));
    new_label_box.SetText("");
    Load();
}

void MainWindow::OnStartupClicked() {
    if (startup_box.Value() == 1) {
        // Quoted: a path with spaces must not resolve to another program at logon.
        const std::string command = core::AutostartCommand(RunningExecutablePath());
        registry::RegistryWriteValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName,
                                     settings::Value::Text(command), REG_SZ);
        registry::WriteSetting(names::kAutostart, settings::Value::Int16(1));
    } else {
        registry::RegistryDeleteValue(HKEY_CURRENT_USER, registry::kRunKey, registry::kRunValueName);
        registry::WriteSetting(names::kAutostart, settings::Value::Int16(0));
    }
}

void MainWindow::OnTick() {
    // A monitor plugged in gets the look now; one taken away is simply no longer found.
    shell_.FindExtras();
    if (make_opaque_box.Value() == 1) OnTransparencyChanged();
    ApplyPlacement();
    core::ApplyLabel(shell_, new_label_box.Text());
    ApplyShape();
}

}  // namespace main_window
