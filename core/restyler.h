// Puts the look on the shell's windows: the taskbars' alpha, the Start buttons' place and size,
// label and outline. The main taskbar and its Start button come first; every taskbar of a further
// monitor gets the same. The shell's windows belong to another program whose thread may stop
// answering: every call that would wait for it is bounded, and a button that does not answer is
// left until a later application.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/look.h"
#include "core/region_slot.h"
#include "core/taskbar_search.h"
#include "core/text_outline.h"
#include "win/text.h"

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

// Where and how SetWindowPos places a Start button. A child button takes the position in its
// parent's coordinates and goes first among its siblings. A top-level one (Windows 7) takes the
// screen point of that position, wherever the taskbar lies, and is neither activated nor moved in
// the z-order: once a second, an activation would take the keyboard from the user.
struct PlacementCall {
    int x, y;
    UINT flags;
};
PlacementCall PlanPlacement(bool button_is_top_level, POINT taskbar_client_origin,
                            const Placement& placement);

// Places one Start button; a top-level one without a taskbar to be relative to is left alone. A
// button of another thread is placed asynchronously: a hung shell must not stop us.
void PlaceStartButton(HWND start_button, HWND taskbar, const Placement& placement);

// How long a window of another thread has to answer before it counts as not answering now.
constexpr UINT kAnswerTimeoutMs = 250;

// Sets a window's text without waiting longer than kAnswerTimeoutMs for another thread; false when
// the window did not take it in time (or is no window). A window of this process that answers
// late still reads `text`: it must outlive the call.
bool SetTextBounded(HWND window, const win::WideText& text);

class Restyler {
  public:
    explicit Restyler(RegionSlot::DeleteRegionFn delete_region = RegionSlot::DeleteRegion);
    Restyler(const Restyler&) = delete;
    Restyler& operator=(const Restyler&) = delete;

    // Searches the taskbar, its Start button and the extra taskbars afresh (at the load, and when
    // the shell restarts). Asked for while the look is being applied (a message dispatched by a call
    // into the shell), the search waits until that application has ended.
    void FindShell();
    // The tick's application: extra taskbars searched again, then the alpha (while "Make Opaque" is
    // ticked), the placement, the label, and the outline, built once and given to every button. An
    // application asked for while one runs is skipped: no tick runs inside a tick.
    void Apply(const Look& look);

    // One part of the look at once, as the user changes it.
    void ApplyAlpha(int16_t alpha);
    void ApplyPlacement(const Placement& placement);
    void ApplyLabel(const std::string& label);
    // Builds the look's outline (none for no shape: the last one stays) and gives it to every button.
    void ApplyOutline(const Look& look);

    bool Applying() const { return applying_; }
    const ShellWindows& shell() const { return shell_; }
    const RegionSlot& region() const { return region_; }
    // Lets a test stand its own windows in for the taskbar and the Start button.
    void UseTaskbarWindows(HWND taskbar, HWND start_button);

  private:
    void BuildOutline(const Look& look);
    void GiveOutline(ShapeType shape, int width);
    // Whether SetWindowRgn may be called on the button now without waiting on a hung thread. In the
    // tick, a button that took the label has just answered; elsewhere it is asked.
    bool ReadyForRegion(HWND button) const;
    void KeepLabel(const std::string& label);

    ShellWindows shell_;
    RegionSlot region_;
    TextOutliner outliner_;
    bool outliner_ready_ = false;
    int box_height_ = 0;  // the main Start button's height when the last box outline was built
    bool applying_ = false;
    bool search_pending_ = false;
    std::vector<HWND> took_label_;  // during the tick: the buttons that took its label in time
    // The label last sent, kept for a window of this process that takes it after the timeout (the
    // system copies it for another process's); replaced only when the label changes.
    std::string label_text_;
    win::WideText label_;
};

}  // namespace core
