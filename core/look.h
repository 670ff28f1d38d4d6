// The look put on the shell's windows, from plain values: the taskbars' alpha, the Start buttons'
// place and size, label and outline. The main taskbar and its Start button come first; every
// taskbar of a further monitor gets the same.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/region_slot.h"
#include "core/taskbar_search.h"

namespace core {

// The shell's windows that get the look. The handles belong to the shell; any may be stale or null,
// and a call on such a handle fails without effect.
struct ShellWindows {
    HWND taskbar = nullptr;
    HWND start_button = nullptr;
    std::vector<SecondaryTaskbar> extras;

    // Searches the main taskbar, its Start button and the extra taskbars again.
    void FindAll();
    // Searches only the extra taskbars: monitors come and go between ticks.
    void FindExtras() { extras = FindSecondaryTaskbars(); }
};

// The Start button's place and size, in pixels relative to its taskbar's client area.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
};

// Where and how SetWindowPos places a Start button. A child button takes the position in its
// parent's coordinates and goes first among its siblings (flags 0). A top-level one (Windows 7)
// takes the screen point of that position, wherever the taskbar lies, and is neither activated nor
// moved in the z-order: once a second, an activation would take the keyboard from the user.
struct PlacementCall {
    int x, y;
    UINT flags;
};
PlacementCall PlanPlacement(bool button_is_top_level, POINT taskbar_client_origin, const Placement& placement);

// Places one Start button; a top-level one without a taskbar to be relative to is left alone.
void PlaceStartButton(HWND start_button, HWND taskbar, const Placement& placement);

void ApplyAlpha(const ShellWindows& shell, int16_t alpha);
void ApplyPlacement(const ShellWindows& shell, const Placement& placement);
void ApplyLabel(const ShellWindows& shell, const std::string& label);
// The extra Start buttons take copies of the slot's region (a region handed to a window belongs to
// it), then the main one takes the region itself.
void ApplyOutline(const ShellWindows& shell, RegionSlot& region);

}  // namespace core
