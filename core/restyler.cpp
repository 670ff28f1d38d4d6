#include "core/restyler.h"

#include <algorithm>

#include "core/taskbar_alpha.h"
#include "win/dpi.h"
#include "win/text.h"

namespace core {

namespace {

bool OfAnotherThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

// A window of another thread answers a message that does nothing within the timeout.
bool Answers(HWND window) {
    if (!OfAnotherThread(window)) return true;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored) != 0;
}

// Makes the flag changes SetWindowAlpha may send to the window only when the window answers.
void SetAlphaBounded(HWND taskbar, int16_t alpha) {
    if (!taskbar) return;
    const bool layered = (GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (!layered && !Answers(taskbar)) return;  // adding the flag sends the window style messages
    SetWindowAlpha(taskbar, alpha);
}

}  // namespace

void ShellWindows::FindAll() {
    taskbar = FindTaskbar();
    start_button = FindStartButton(taskbar);
    FindExtras();
}

PlacementCall PlanPlacement(bool button_is_top_level, POINT taskbar_client_origin,
                            const Placement& placement) {
    if (!button_is_top_level) return {placement.x, placement.y, 0};
    return {taskbar_client_origin.x + placement.x, taskbar_client_origin.y + placement.y,
            SWP_NOACTIVATE | SWP_NOZORDER};
}

void PlaceStartButton(HWND start_button, HWND taskbar, const Placement& placement) {
    if (!start_button) return;
    const bool top_level = !(GetWindowLongW(start_button, GWL_STYLE) & WS_CHILD);
    POINT origin{0, 0};
    if (top_level && (!taskbar || !ClientToScreen(taskbar, &origin))) return;
    const PlacementCall call = PlanPlacement(top_level, origin, placement);
    const UINT wait = OfAnotherThread(start_button) ? SWP_ASYNCWINDOWPOS : 0;
    SetWindowPos(start_button, nullptr, call.x, call.y, placement.width, placement.height, call.flags | wait);
}

bool SetTextBounded(HWND window, const win::WideText& text) {
    if (!window) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored) != 0;
}

Restyler::Restyler(RegionSlot::DeleteRegionFn delete_region) : region_(delete_region) {}

void Restyler::FindShell() {
    if (applying_) {
        search_pending_ = true;
        return;
    }
    shell_.FindAll();
}

void Restyler::UseTaskbarWindows(HWND taskbar, HWND start_button) {
    shell_.taskbar = taskbar;
    shell_.start_button = start_button;
}

void Restyler::Apply(const Look& look) {
    if (applying_) return;
    applying_ = true;
    // A monitor plugged in gets the look now; one taken away is simply no longer found.
    shell_.FindExtras();
    if (look.make_opaque) ApplyAlpha(look.alpha);
    ApplyPlacement(look.placement);
    took_label_.clear();
    // Each copy of a handle is taken before the calls: a message dispatched while one of them waits
    // may ask for a new search, which runs only after this application.
    const ShellWindows shell = shell_;
    KeepLabel(look.label);
    if (SetTextBounded(shell.start_button, label_)) took_label_.push_back(shell.start_button);
    for (const SecondaryTaskbar& extra : shell.extras)
        if (SetTextBounded(extra.start_button, label_)) took_label_.push_back(extra.start_button);
    BuildOutline(look);
    GiveOutline(look.shape, look.placement.width);
    took_label_.clear();
    applying_ = false;
    if (search_pending_) {
        search_pending_ = false;
        shell_.FindAll();
    }
}

void Restyler::KeepLabel(const std::string& label) {
    // Unchanged, the buffer a late answer may still read stays where it is.
    if (label == label_text_) return;
    label_text_ = label;
    label_ = win::Wide(label);
}

void Restyler::ApplyAlpha(int16_t alpha) {
    const ShellWindows shell = shell_;
    SetAlphaBounded(shell.taskbar, alpha);
    for (const SecondaryTaskbar& extra : shell.extras) SetAlphaBounded(extra.taskbar, alpha);
}

void Restyler::ApplyPlacement(const Placement& placement) {
    const ShellWindows shell = shell_;
    PlaceStartButton(shell.start_button, shell.taskbar, placement);
    for (const SecondaryTaskbar& extra : shell.extras)
        PlaceStartButton(extra.start_button, extra.taskbar, placement);
}

void Restyler::ApplyLabel(const std::string& label) {
    const ShellWindows shell = shell_;
    KeepLabel(label);
    SetTextBounded(shell.start_button, label_);
    for (const SecondaryTaskbar& extra : shell.extras) SetTextBounded(extra.start_button, label_);
}

void Restyler::ApplyOutline(const Look& look) {
    BuildOutline(look);
    GiveOutline(look.shape, look.placement.width);
}

void Restyler::BuildOutline(const Look& look) {
    RECT button{};
    if (shell_.start_button && GetWindowRect(shell_.start_button, &button))
        box_height_ = button.bottom - button.top;
    switch (look.shape) {
        case ShapeType::kEllipse:
        case ShapeType::kRectangle:
            region_.Replace(BuildBoxOutline(look.shape, {look.placement.width, box_height_}));
            break;
        case ShapeType::kText:
            if (!outliner_ready_) outliner_ready_ = outliner_.Create(nullptr);
            // Null for an empty text. Points become pixels of the Start button's own monitor, where the
            // system can tell.
            region_.Replace(
                outliner_.Build(look.outline_text, look.font, win::WindowDpi(shell_.start_button)));
            break;
        case ShapeType::kNone:
            break;  // the last outline stays
    }
}

bool Restyler::ReadyForRegion(HWND button) const {
    if (!button) return true;  // the call fails at once
    if (applying_) return std::find(took_label_.begin(), took_label_.end(), button) != took_label_.end();
    return Answers(button);
}

void Restyler::GiveOutline(ShapeType shape, int width) {
    const ShellWindows shell = shell_;
    for (const SecondaryTaskbar& extra : shell.extras) {
        if (!ReadyForRegion(extra.start_button)) continue;  // it keeps its outline until it answers
        RECT button{};
        if ((shape == ShapeType::kEllipse || shape == ShapeType::kRectangle) &&
            GetWindowRect(extra.start_button, &button)) {
            // A box outline fits each button's own height; a region handed to a window is its own.
            win::unique_hrgn own = BuildBoxOutline(shape, {width, button.bottom - button.top});
            if (own && SetWindowRgn(extra.start_button, own.get(), TRUE)) own.release();
        } else {
            region_.ApplyCopyTo(extra.start_button);
        }
    }
    // The region stays ours when the button does not answer: the next application replaces it.
    if (ReadyForRegion(shell.start_button)) region_.ApplyTo(shell.start_button);
}

}  // namespace core
