#include "core/look_keeper.h"

#include <cwchar>
#include <utility>

#include "store/look_store.h"
#include "shell/own_look.h"
#include "shell/restyler.h"
#include "store/look_file.h"
#include "shell/shell_calls.h"
#include "shell/tray_icon_calls.h"
#include "win/system_function.h"
#include "win/text.h"

namespace core {

namespace {

// The Start button's label is read into this many characters and a NUL.
constexpr int kLabelBufferLength = 255;

// Read without a message to the button: the shell may not be answering.
std::string LabelOf(HWND button) {
    wchar_t label[kLabelBufferLength + 1] = {};
    if (button) InternalGetWindowText(button, label, kLabelBufferLength);
    return win::Utf8(label, wcslen(label));
}

}  // namespace

bool CanRestyle(HWND start_button, DWORD windows_build) {
    return start_button && windows_build < kFirstWindows11Build;
}

ShownPart PartOf(LookField field) { return static_cast<ShownPart>(static_cast<unsigned>(field)); }

LookKeeper::LookKeeper(ShellFinder finder, const NOTIFYICONDATAW& tray_icon)
    : LookKeeper(finder, tray_icon, SystemNotificationArea(finder.notification_area)) {}

LookKeeper::LookKeeper(ShellFinder finder, const NOTIFYICONDATAW& tray_icon, NotificationArea tray)
    : finder_(finder),
      tray_icon_(std::make_unique<TrayIconCalls>(tray_icon, std::move(tray))),
      restyler_(std::make_unique<Restyler>(std::move(finder))) {}

LookKeeper::~LookKeeper() = default;

Shown LookKeeper::Handle(const LookEvent& event) {
    ++handling_;
    const Shown shown = std::visit([this](const auto& e) { return On(e); }, event);
    // A search asked for inside an application runs when it ends: it is looked at here, whichever
    // event it ran in.
    if (restyler_->searches() != searches_seen_) {
        searches_seen_ = restyler_->searches();
        OnShellFound();
    }
    --handling_;
    return shown;
}

void LookKeeper::OnShellFound() {
    const ShellWindows& shell = restyler_->shell();
    const DWORD process = shell.taskbar ? finder_.process_of(shell.taskbar) : 0;
    if (restart_guard_.Found(process, GetTickCount64())) {
        // The guard's stop is a pause like the person's: the shell's own look back, nothing sent.
        PauseAndGiveBack();
        ShellCalls calls;
        tray_icon_->ShowBalloon(kBalloonTitle, kRestartingShellNotice, calls);
    }
    if (shell.taskbar && !told_no_start_button_ && !CanRestyle(shell.start_button, win::WindowsBuild())) {
        told_no_start_button_ = true;
        ShellCalls calls;
        tray_icon_->ShowBalloon(kBalloonTitle, kNoStartButtonNotice, calls);
    }
}

Shown LookKeeper::On(const LookEdit& edit) {
    const EditEffect effect = ApplyEdit(look_, edit);
    switch (effect.apply) {
        case EditEffect::Apply::kAlpha:
            restyler_->ApplyAlpha(effect.alpha);
            break;
        case EditEffect::Apply::kPlacement:
            restyler_->ApplyPlacement(look_.placement);
            break;
        case EditEffect::Apply::kNothing:
            break;
    }
    store::WriteField(look_, edit.field);
    return Shown(PartOf(edit.field));
}

Shown LookKeeper::On(const LabelTyped& typed) {
    look_.label = typed.label;  // the tick gives it to the Start button
    return {};
}

Shown LookKeeper::On(const LabelApplied& applied) {
    // The label action is how a person asks for the restyling again after a restarting shell.
    On(Resume{});
    restyler_->ApplyLabel(applied.label);
    store::WriteLabel(applied.label);
    look_.label.clear();  // the box is emptied; the load fills it from the stored label
    return On(Load{applied.screen});
}

Shown LookKeeper::On(const Load& load) {
    store::CreateKey();
    const store::KeyHeldOpen settings_key;

    // What the stored values change is done as the person's own change would be: the look takes
    // it, the shell is given it, and it is stored back, one field at a time in this order.
    const LoadPlan plan = PlanLoad(store::ReadLook(), copies_);
    look_.label = plan.label;
    for (const LookEdit& edit : LoadEdits(plan, look_, ranges_)) On(edit);

    restyler_->ApplyPlacement(look_.placement);
    restyler_->FindShell();
    start_button_label_ = LabelOf(restyler_->shell().start_button);

    // The outline before the window paints: the Start button is restyled as soon as it can be.
    ReadStoredShape();
    restyler_->ApplyOutline(look_);

    AddTrayIcon();  // a second add fails and leaves the one icon
    SetXSlidersMaximum(load.screen);
    return Shown::Everything();
}

void LookKeeper::SetXSlidersMaximum(const ScreenMeasure& screen) {
    const std::optional<int> x_max = PlanXSliderMaximum(screen.screen_width, screen.customize_frame_width);
    if (!x_max) return;  // nothing sound to measure: the stored X and width stay as they are
    ranges_.x.max = *x_max;
    ranges_.width.max = *x_max;
    for (const LookEdit& edit : MaximumEdits(look_, *x_max)) On(edit);
}

Shown LookKeeper::On(const Tick&) {
    if (restyler_->Applying()) return {};  // a message dispatched inside the last tick: no tick in a tick
    Restyler::Application tick(*restyler_);
    // What the notification area did not take is tried again, whether restyling runs or not:
    // stopped by a restarting shell, it still has a balloon to show.
    tray_icon_->Retry(tick.calls());
    // So is what a pause was to give the shell back and the shell did not take.
    if (give_back_owed_) give_back_owed_ = paused() && !GiveBackShellLook(finder_, tick.calls()).complete;
    if (!tick) return {};  // restyling is stopped
    const store::KeyHeldOpen settings_key;
    tick.FindExtras();
    if (look_.make_opaque) {
        tick.Alpha(look_.alpha);
        // Stored again at every tick: another tool that stored its own alpha meanwhile is overruled,
        // as the taskbar's own alpha is.
        store::WriteAlpha(look_.alpha);
    }
    tick.Place(look_.placement);
    tick.Label(look_.label);
    ReadStoredShape();
    tick.Outline(look_);
    return {};
}

Shown LookKeeper::On(const TaskbarCreated&) {
    // The shell came back: the old handles are gone and so is our icon. Announced while the look
    // is being applied, the search waits until that application has ended.
    restyler_->FindShell();
    AddTrayIcon();
    return {};
}

Shown LookKeeper::On(const Resume&) {
    // Ends a restarting shell's stop; a pause the person chose ends only when they untick it.
    restart_guard_.Resume();
    if (!paused_by_person_) restyler_->Pause(false);
    return {};
}

Shown LookKeeper::On(const PauseChosen& chosen) {
    paused_by_person_ = chosen.paused;
    if (chosen.paused) {
        PauseAndGiveBack();
        return {};
    }
    On(Resume{});
    return On(Tick{});  // the whole look at once, as the next tick would give it
}

void LookKeeper::PauseAndGiveBack() {
    restyler_->Pause(true);
    // The shell's own look back as "/restore" gives it, within the wait of one application: what a
    // shell that does not answer keeps is given back at a later tick.
    give_back_owed_ = !GiveBackShellLook(finder_, kWaitBudgetMs).complete;
}

Shown LookKeeper::On(const LookSaved& saved) {
    Shown shown;
    const store::LookFileResult result = store::ExportLook(saved.path);
    if (result.refusal) shown.Refuse(*result.refusal);
    return shown;
}

Shown LookKeeper::On(const LookOpened& opened) {
    Shown shown;
    if (handling_ > 1) {
        // It came while another event waits on the shell (the wait takes the messages sent to us):
        // a load inside that event's load would be followed by the rest of the outer one, which
        // stores its older values over the file's.
        shown.RefuseForNow(kBusyNotice);
        return shown;
    }
    const store::LookFileResult imported = store::ImportLook(opened.path);
    if (imported.refusal) {
        shown.Refuse(*imported.refusal);
        return shown;
    }
    // The file's font is the outline's now, not one picked in the dialog before it.
    font_source_.picked = false;
    return On(Load{opened.screen});
}

Shown LookKeeper::On(const Ending&) {
    tray_icon_->Remove();
    return {};
}

void LookKeeper::AddTrayIcon() {
    ShellCalls calls;
    tray_icon_->Add(calls);
}

void LookKeeper::ReadStoredShape() {
    // A shape stored by another tool is picked up here; no shape stored leaves the last outline.
    look_.shape = store::ReadShape();
    if (look_.shape != ShapeType::kText) return;
    // The text shape is stored again at each application, so that a shape stored as "Text" with
    // trailing characters (which reads as Text) is stored in its one word.
    store::WriteShape(ShapeType::kText);
    ReadOutlineSource();
}

void LookKeeper::ReadOutlineSource() {
    font_face_ = store::ReadFontFace();
    StoredOutlineFont stored;
    if (!font_source_.picked) {
        // Until a font is picked the outline follows the stored text and font. The stored text is
        // held as the editor holds it (up to a NUL, at most its length), and stored back so held.
        const std::string stored_text = store::ReadOutlineText();
        const std::string text = win::HeldTo(stored_text.c_str(), kMaxOutlineTextLength);
        if (text != look_.outline_text) {
            look_.outline_text = text;
            store::WriteOutlineText(text);
        }
        stored = store::ReadOutlineFont();
    }
    look_.font = ChooseOutlineFont(font_source_.picked, font_source_.dialog, font_face_, stored, look_.font);
}

Shown LookKeeper::On(const ShapeChosen& chosen) {
    look_.shape = chosen.shape;
    store::WriteShape(chosen.shape);
    if (chosen.shape == ShapeType::kText) ReadOutlineSource();
    restyler_->ApplyOutline(look_);
    return {};  // the customize window, where the shape was chosen, shows it again whatever happens
}

Shown LookKeeper::On(const OutlineTextTyped& typed) {
    look_.outline_text = typed.text;
    store::WriteOutlineText(typed.text);
    if (look_.shape != ShapeType::kText) return {};
    ReadOutlineSource();
    restyler_->ApplyOutline(look_);
    return {};
}

Shown LookKeeper::On(const FontPicked& picked) {
    font_source_.picked = true;
    font_source_.dialog = picked.dialog;
    if (!picked.dialog.name.empty())
        font_face_ = picked.dialog.name;
    else if (font_face_.empty())
        font_face_ = "Arial";
    // The text goes with the font: both are what the outline is drawn from from now on.
    store::WriteOutlineText(look_.outline_text);
    store::WriteOutlineFont(font_face_, picked.dialog);
    ReadOutlineSource();
    if (look_.shape == ShapeType::kText) restyler_->ApplyOutline(look_);
    return {};
}

}  // namespace core
