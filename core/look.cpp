#include "core/look.h"

#include "core/taskbar_alpha.h"

namespace core {

void ShellWindows::FindAll() {
    taskbar = FindTaskbar();
    start_button = FindStartButton(taskbar);
    FindExtras();
}

PlacementCall PlanPlacement(bool button_is_top_level, POINT taskbar_client_origin, const Placement& placement) {
    if (!button_is_top_level) return {placement.x, placement.y, 0};
    return {taskbar_client_origin.x + placement.x, taskbar_client_origin.y + placement.y,
            SWP_NOACTIVATE | SWP_NOZORDER};
}

void PlaceStartButton(HWND start_button, HWND taskbar, const Placement& placement) {
    const bool top_level = start_button && !(GetWindowLongA(start_button, GWL_STYLE) & WS_CHILD);
    POINT origin{0, 0};
    if (top_level && (!taskbar || !ClientToScreen(taskbar, &origin))) return;
    const PlacementCall call = PlanPlacement(top_level, origin, placement);
    SetWindowPos(start_button, nullptr, call.x, call.y, placement.width, placement.height, call.flags);
}

void ApplyAlpha(const ShellWindows& shell, int16_t alpha) {
    SetWindowAlpha(shell.taskbar, alpha);
    for (const SecondaryTaskbar& extra : shell.extras) SetWindowAlpha(extra.taskbar, alpha);
}

void ApplyPlacement(const ShellWindows& shell, const Placement& placement) {
    PlaceStartButton(shell.start_button, shell.taskbar, placement);
    for (const SecondaryTaskbar& extra : shell.extras) PlaceStartButton(extra.start_button, extra.taskbar, placement);
}

void ApplyLabel(const ShellWindows& shell, const std::string& label) {
    SetWindowTextA(shell.start_button, label.c_str());
    for (const SecondaryTaskbar& extra : shell.extras) SetWindowTextA(extra.start_button, label.c_str());
}

void ApplyOutline(const ShellWindows& shell, RegionSlot& region) {
    for (const SecondaryTaskbar& extra : shell.extras) region.ApplyCopyTo(extra.start_button);
    region.ApplyTo(shell.start_button);
}

}  // namespace core
