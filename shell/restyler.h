// Puts the look on the shell's windows: the taskbars' alpha, the Start buttons' place and size,
// label and outline. The main taskbar and its Start button come first; every taskbar of a further
// monitor gets the same.
//
// Each part is read from the shell's windows first and sent only where it differs: an unchanged look
// costs the shell nothing (a label set redraws the button; any send can wait on a hung shell), and
// whatever another program changed is put back at the next application. The shell's windows belong
// to another program whose thread may stop answering: every call that would wait for it is bounded
// (core/shell_calls.h), and a button that does not answer gets the look when it answers again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "look/look.h"
#include "shell/region_slot.h"
#include "shell/shell_calls.h"
#include "shell/taskbar_search.h"
#include "shell/text_outline.h"
#include "win/text.h"

namespace core {

// The shell's windows that get the look. The handles belong to the shell; any may be stale or null,
// and a call on such a handle fails without effect.
struct ShellWindows {
    HWND taskbar = nullptr;
    HWND start_button = nullptr;
    std::vector<SecondaryTaskbar> extras;

    // Searches the main taskbar, its Start button and the extra taskbars again.
    void FindAll(const ShellFinder& finder);
    // Searches only the extra taskbars: monitors come and go between ticks.
    void FindExtras(const ShellFinder& finder) { extras = finder.extras(); }
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

// Whether the Start button already sits where `placement` puts it: place, size and, for a child,
// first among its siblings. A top-level one without a taskbar to be relative to counts as placed
// (it is left alone).
bool IsPlaced(HWND start_button, HWND taskbar, const Placement& placement);
// Places one Start button; a top-level one without a taskbar to be relative to is left alone. A
// button of another thread is placed asynchronously: a hung shell must not stop us.
void PlaceStartButton(HWND start_button, HWND taskbar, const Placement& placement);
// Whether the window's text is `label`, read without a message to the window.
bool HasLabel(HWND window, const win::WideText& label);
// Whether the taskbar is layered with this constant alpha.
bool HasAlpha(HWND taskbar, int16_t alpha);

class Restyler {
  public:
    explicit Restyler(ShellFinder finder = {},
                      RegionSlot::DeleteRegionFn delete_region = RegionSlot::DeleteRegion);
    Restyler(const Restyler&) = delete;
    Restyler& operator=(const Restyler&) = delete;

    // One application of the look or of a part of it, with its own budget for waiting on the
    // shell. While it lasts no other application starts (a call into the shell dispatches the
    // messages sent to us while it waits, a "TaskbarCreated" or a timer's among them), and a search
    // of the shell asked for meanwhile runs when it ends.
    class Application {
      public:
        explicit Application(Restyler& restyler);
        ~Application();
        Application(const Application&) = delete;
        Application& operator=(const Application&) = delete;

        // False inside another application, or while paused: this one does nothing.
        explicit operator bool() const { return running_; }

        // A monitor plugged in gets the look now; one taken away is simply no longer found.
        void FindExtras();
        void Alpha(int16_t alpha);
        void Place(const Placement& placement);
        void Label(const std::string& label);
        // Builds the look's outline when it changed (no shape keeps the last one) and gives it to
        // every button whose region differs.
        void Outline(const Look& look);
        // The application's budget for waiting on the shell, for other calls made as part of it.
        ShellCalls& calls() { return calls_; }

      private:
        Restyler& restyler_;
        const bool running_;
        ShellCalls calls_;
    };

    // Searches the taskbar, its Start button and the extra taskbars afresh (at the load, and when
    // the shell restarts); inside an application, when it has ended.
    void FindShell();
    // The whole look: extra taskbars searched again, then the alpha (while "Make Opaque" is
    // ticked), the placement, the label and the outline.
    void Apply(const Look& look);
    // One part of the look at once, as the user changes it.
    void ApplyAlpha(int16_t alpha);
    void ApplyPlacement(const Placement& placement);
    void ApplyLabel(const std::string& label);
    void ApplyOutline(const Look& look);

    bool Applying() const { return applying_; }
    // While paused no application gives the shell anything; the shell is still searched.
    void Pause(bool paused) { paused_ = paused; }
    // How many searches of the shell have run: a search asked for inside an application runs later.
    unsigned searches() const { return searches_; }
    const ShellWindows& shell() const { return shell_; }
    const RegionSlot& region() const { return region_; }

  private:
    // What the outline in the slot was built from: it is built again only when this changes.
    struct OutlineSource {
        ShapeType shape = ShapeType::kNone;
        int width = 0, height = 0;  // a box outline's
        std::string text;           // a text outline's, with its font and the DPI it was drawn at
        FontAttributes font;
        int dpi = 0;
        bool operator==(const OutlineSource& o) const {
            return shape == o.shape && width == o.width && height == o.height && text == o.text &&
                   font == o.font && dpi == o.dpi;
        }
    };

    void BuildOutline(const Look& look);
    void KeepLabel(const std::string& label);

    ShellFinder finder_;
    ShellWindows shell_;
    RegionSlot region_;
    OutlineSource built_from_;  // meaningful once the slot holds a built outline
    TextOutliner outliner_;
    bool outliner_ready_ = false;
    int box_height_ = 0;  // the main Start button's height when last measured
    bool applying_ = false;
    bool paused_ = false;
    bool search_pending_ = false;
    unsigned searches_ = 0;
    // The label last sent, kept for a window of this process that takes it after the timeout (the
    // system copies it for another process's); replaced only when the label changes.
    std::string label_text_;
    win::WideText label_;
};

}  // namespace core
