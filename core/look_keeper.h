// The look's one owner. It holds the look, gives it to the shell (through the restyler) and to the
// settings store, and is the only code that calls either. Every change of the look, and every
// event that sends it to the shell again, enters through Handle: a person's edit, the label
// action, the outline's shape, text and font, the load, the tick, the shell's restart, a second
// start. It answers with the parts of the look the windows must show again. The windows turn a
// person's input into events and show the answer; none of them stores or applies anything itself.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "look/look.h"
#include "look/look_edit.h"
#include "look/restart_guard.h"
#include "look/stored_look.h"
#include "shell/taskbar_search.h"
#include "look/outline_font.h"
#include "shell/tray_icon_calls.h"

namespace core {

class Restyler;

// What the X sliders' maximum is measured from at each load: the screen's width and the frame of
// the customize window (see PlanXSliderMaximum).
struct ScreenMeasure {
    int screen_width = 0;
    int customize_frame_width = 0;
};

// The events. A slider or a check box moved by a person is a LookEdit.
struct LabelTyped {  // the new-label box's text: it reaches the Start button at the next tick
    std::string label;
};
struct LabelApplied {  // the label action: applied and stored at once, then everything loaded again
    std::string label;
    ScreenMeasure screen;
};
struct ShapeChosen {
    ShapeType shape;
};
struct OutlineTextTyped {
    std::string text;
};
struct FontPicked {  // the values the font dialog was left with (a cancel is not told apart)
    FontAttributes dialog;
};
struct Load {  // the stored settings read, applied and stored back; the shell searched anew
    ScreenMeasure screen;
};
struct Tick {};            // the whole look applied again, once a second
struct TaskbarCreated {};  // the shell came back: its windows are searched again, the icon added
struct Ending {};          // "&Exit" or the main window's end: the notification icon goes
struct Resume {};          // a second start: restyling goes on again if a restarting shell stopped it
// "&Pause" ticked: the shell gets its own look back and nothing more until it is unticked, when
// the whole look is applied at once. Edits are stored meanwhile.
struct PauseChosen {
    bool paused;
};
struct LookSaved {  // the stored look written to a file
    std::string path;
};
struct LookOpened {  // a look file checked, stored whole and loaded as at the start
    std::string path;
    ScreenMeasure screen;
};

using LookEvent =
    std::variant<LookEdit, LabelTyped, LabelApplied, ShapeChosen, OutlineTextTyped, FontPicked, Load, Tick,
                 TaskbarCreated, Ending, Resume, PauseChosen, LookSaved, LookOpened>;

// The parts the windows show; the first seven are the LookFields' in their order.
enum class ShownPart : unsigned {
    kAutostart,
    kMakeOpaque,
    kAlpha,
    kX,
    kWidth,
    kY,
    kHeight,
    kLabel,             // the new-label box
    kStartButtonLabel,  // the label the Start button had at the last load
    kSliderRanges,
};

// The parts of the look an event changed, which the windows show again.
class Shown {
  public:
    Shown() = default;
    explicit Shown(ShownPart part) { Add(part); }
    static Shown Everything() {
        Shown all;
        all.parts_ = ~0u;
        return all;
    }
    void Add(ShownPart part) { parts_ |= 1u << static_cast<unsigned>(part); }
    bool Has(ShownPart part) const { return (parts_ & (1u << static_cast<unsigned>(part))) != 0; }
    bool Empty() const { return parts_ == 0; }
    // Why a look file was refused (empty when it was not): the person is told.
    void Refuse(std::string why) { refusal_ = std::move(why); }
    const std::string& refusal() const { return refusal_; }
    // Refused only for now: it came while another event was being handled, and may come again.
    void RefuseForNow(std::string why) {
        Refuse(std::move(why));
        busy_ = true;
    }
    bool busy() const { return busy_; }

  private:
    unsigned parts_ = 0;
    std::string refusal_;
    bool busy_ = false;
};

ShownPart PartOf(LookField field);

// What the notification icon's balloons say.
constexpr const char* kBalloonTitle = "Pelmora";
constexpr const char* kRestartingShellNotice =
    "The taskbar restarted twice within 30 seconds, so Pelmora has stopped restyling the Start button. "
    "It is paused: to resume, untick Pause in the icon's menu, click Apply Label in Pelmora's window, or "
    "start Pelmora again.";
constexpr const char* kBusyNotice = "Pelmora was applying the look; nothing was stored. Try again.";
constexpr const char* kNoStartButtonNotice =
    "This taskbar has no Start button that Pelmora can restyle (the Windows 11 taskbar draws its own). "
    "Pelmora still makes the taskbar translucent.";

// Windows 11's taskbar draws its Start button inside its own content: a window Pelmora finds there
// shows nothing it is given.
constexpr DWORD kFirstWindows11Build = 22000;
// Whether a Start button window was found whose restyling a person sees.
bool CanRestyle(HWND start_button, DWORD windows_build);

class LookKeeper {
  public:
    // `tray_icon`: the notification icon's record; the window and icon in it outlive the keeper.
    // Its calls go to the system's notification area, found by `finder`, or to `tray`.
    LookKeeper(ShellFinder finder, const NOTIFYICONDATAW& tray_icon);
    LookKeeper(ShellFinder finder, const NOTIFYICONDATAW& tray_icon, NotificationArea tray);
    ~LookKeeper();
    LookKeeper(const LookKeeper&) = delete;
    LookKeeper& operator=(const LookKeeper&) = delete;

    Shown Handle(const LookEvent& event);

    const Look& look() const { return look_; }
    // Paused by the person ("&Pause") or by a shell that keeps restarting.
    bool paused() const { return paused_by_person_ || restart_guard_.Tripped(); }
    // The Start button's label when the last load read it.
    const std::string& start_button_label() const { return start_button_label_; }
    const SliderRanges& slider_ranges() const { return ranges_; }
    // The font dialog's values after its last use (before it, an empty face).
    const FontAttributes& font_dialog() const { return font_source_.dialog; }

  private:
    // One per event, reached only through Handle.
    Shown On(const LookEdit& edit);
    Shown On(const LabelTyped& typed);
    Shown On(const LabelApplied& applied);
    Shown On(const ShapeChosen& chosen);
    Shown On(const OutlineTextTyped& typed);
    Shown On(const FontPicked& picked);
    Shown On(const Load& load);
    Shown On(const Tick&);
    Shown On(const TaskbarCreated&);
    Shown On(const Ending&);
    Shown On(const Resume&);
    Shown On(const PauseChosen& chosen);
    Shown On(const LookSaved& saved);
    Shown On(const LookOpened& opened);

    // The stored shape, read again (another tool may have stored one), with the text and font of a
    // text-shaped outline.
    void ReadStoredShape();
    void ReadOutlineSource();
    void AddTrayIcon();
    // Restyling stopped and the shell's own look given back; what the shell keeps is owed.
    void PauseAndGiveBack();
    void SetXSlidersMaximum(const ScreenMeasure& screen);
    // After a search of the shell: a shell that keeps restarting stops the restyling, and a taskbar
    // without a Start button that can be restyled is said once.
    void OnShellFound();

    Look look_;
    SliderRanges ranges_ = kInitialSliderRanges;
    OutlineFontSource font_source_;
    std::string font_face_;  // the outline font's face as last stored
    LoadCopies copies_;      // the load's copies of the stored values, kept between loads
    std::string start_button_label_;
    ShellRestartGuard restart_guard_;
    bool paused_by_person_ = false;  // until Pelmora ends: never stored
    // A pause's give-back the shell did not take whole: tried again at each tick while paused.
    bool give_back_owed_ = false;
    int handling_ = 0;    // events being handled: more than one while a call into the shell waits
    ShellFinder finder_;  // where the shell's own look is given back, and who made a taskbar
    unsigned searches_seen_ = 0;
    bool told_no_start_button_ = false;
    std::unique_ptr<TrayIconCalls> tray_icon_;
    // The taskbar and Start button found by the last load (and after a shell restart); the
    // taskbars of further monitors are searched again at every tick, as monitors come and go.
    std::unique_ptr<Restyler> restyler_;
};

}  // namespace core
