// Handlers of the main window's controls and its timer. Each edits the look, applies the change,
// then stores it.
#include <vector>

#include "main_window/main_window.h"
#include "win/text.h"

namespace main_window {

namespace {

std::string RunningExecutablePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return win::Utf8(path.data(), length);
        path.resize(path.size() * 2);
    }
}

}  // namespace

void MainWindow::OnMakeOpaqueClicked() {
    look_.make_opaque = make_opaque_box.Value() == 1;
    transparency_slider.SetVisible(look_.make_opaque);
    restyler_.ApplyAlpha(look_.make_opaque ? look_.alpha : 255);
    core::store::WriteMakeOpaque(look_.make_opaque);
}

void MainWindow::OnTransparencyChanged() {
    look_.alpha = static_cast<int16_t>(transparency_slider.Value());
    restyler_.ApplyAlpha(look_.alpha);
    core::store::WriteAlpha(look_.alpha);
}

// Each position slider places the Start button from all four, then stores its own value.
void MainWindow::OnPlacementSliderChanged(core::store::PlacementField field, int& look_field,
                                          const controls::ScrollBar& slider) {
    look_field = slider.Value();
    restyler_.ApplyPlacement(look_.placement);
    core::store::WritePlacement(field, look_field);
}

void MainWindow::OnXChanged() {
    OnPlacementSliderChanged(core::store::PlacementField::kX, look_.placement.x, x_slider);
}
void MainWindow::OnWidthChanged() {
    OnPlacementSliderChanged(core::store::PlacementField::kWidth, look_.placement.width, width_slider);
}
void MainWindow::OnYChanged() {
    OnPlacementSliderChanged(core::store::PlacementField::kY, look_.placement.y, y_slider);
}
void MainWindow::OnHeightChanged() {
    OnPlacementSliderChanged(core::store::PlacementField::kHeight, look_.placement.height, height_slider);
}

void MainWindow::OnApplyLabelClicked() {
    const std::string label = new_label_box.Text();
    restyler_.ApplyLabel(label);
    core::store::WriteLabel(label);
    new_label_box.SetText("");
    Load();
}

void MainWindow::OnStartupClicked() {
    look_.autostart = startup_box.Value() == 1;
    core::store::WriteAutostart(look_.autostart, look_.autostart ? RunningExecutablePath() : std::string());
}

void MainWindow::OnTick() {
    core::Restyler::Application tick(restyler_);
    if (!tick) return;  // a message dispatched inside the last tick: no tick in a tick
    tick.FindExtras();
    if (look_.make_opaque) {
        tick.Alpha(look_.alpha);
        core::store::WriteAlpha(look_.alpha);  // stored again at every tick, as it always was
    }
    tick.Placement(look_.placement);
    tick.Label(look_.label);
    ReadStoredShape();
    tick.Outline(look_);
}

}  // namespace main_window
