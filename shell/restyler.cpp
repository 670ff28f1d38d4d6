#include "shell/restyler.h"

#include <cstring>
#include <utility>

#include "shell/own_look.h"
#include "look/stored_look.h"
#include "shell/taskbar_alpha.h"
#include "win/dpi.h"
#include "win/text.h"

namespace core {

namespace {

bool IsTopLevel(HWND window) { return !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD); }

// The alpha for a taskbar whose alpha differs. Adding the layered flag to a window of another
// thread sends it style messages and cannot be bounded: only a taskbar that answers now gets it.
void SetAlpha(HWND taskbar, int16_t alpha, ShellCalls& calls) {
    if (!taskbar || HasAlpha(taskbar, alpha)) return;
    const bool layered = (GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (!layered && !calls.Answers(taskbar)) return;
    RememberOwnOpacity(taskbar);
    SetWindowAlpha(taskbar, alpha);
}

// The shell's own look is remembered before the first change ("/restore" gives it back).
void PlaceIfMoved(HWND button, HWND taskbar, const Placement& placement) {
    if (!button || IsPlaced(button, taskbar, placement)) return;
    RememberOwnLook(button, taskbar);
    PlaceStartButton(button, taskbar, placement);
}

void SetLabel(HWND button, HWND taskbar, const win::WideText& label, ShellCalls& calls) {
    if (!button || HasLabel(button, label)) return;
    RememberOwnLook(button, taskbar);
    calls.SetText(button, label.c_str());
}

// SetWindowRgn on a window of another thread waits for that thread without a limit: it is called
// only on a button that answers now. A button that does not keeps its region until it does.
void GiveOutline(HWND button, RegionSlot& outline, ShellCalls& calls) {
    if (!button || outline.IsOn(button) || !calls.Answers(button)) return;
    outline.CopyTo(button);
}

// A box outline fits each further button's own height.
void GiveBoxOutline(HWND button, ShapeType shape, int width, ShellCalls& calls) {
    RECT rect{};
    if (!GetWindowRect(button, &rect)) return;
    RegionSlot own;
    own.Replace(BuildBoxOutline(shape, {width, rect.bottom - rect.top}));
    GiveOutline(button, own, calls);
}

}  // namespace

void ShellWindows::FindAll(const ShellFinder& finder) {
    taskbar = finder.taskbar();
    start_button = finder.start_button(taskbar);
    FindExtras(finder);
}

PlacementCall PlanPlacement(bool button_is_top_level, POINT taskbar_client_origin,
                            const Placement& placement) {
    if (!button_is_top_level) return {placement.x, placement.y, 0};
    return {taskbar_client_origin.x + placement.x, taskbar_client_origin.y + placement.y,
            SWP_NOACTIVATE | SWP_NOZORDER};
}

bool IsPlaced(HWND start_button, HWND taskbar, const Placement& placement) {
    RECT rect{};
    if (!GetWindowRect(start_button, &rect)) return true;  // no window: nothing to place
    const bool top_level = IsTopLevel(start_button);
    POINT origin{0, 0};
    if (top_level) {
        if (!taskbar || !ClientToScreen(taskbar, &origin)) return true;
    } else {
        HWND parent = GetAncestor(start_button, GA_PARENT);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
        if (GetWindow(parent, GW_CHILD) != start_button) return false;  // not first among its siblings
    }
    const PlacementCall call = PlanPlacement(top_level, origin, placement);
    return rect.left == call.x && rect.top == call.y && rect.right - rect.left == placement.width &&
           rect.bottom - rect.top == placement.height;
}

void PlaceStartButton(HWND start_button, HWND taskbar, const Placement& placement) {
    if (!start_button) return;
    const bool top_level = IsTopLevel(start_button);
    POINT origin{0, 0};
    if (top_level && (!taskbar || !ClientToScreen(taskbar, &origin))) return;
    const PlacementCall call = PlanPlacement(top_level, origin, placement);
    const UINT wait = OfAnotherThread(start_button) ? SWP_ASYNCWINDOWPOS : 0;
    SetWindowPos(start_button, nullptr, call.x, call.y, placement.width, placement.height, call.flags | wait);
}

bool HasLabel(HWND window, const win::WideText& label) {
    // One more than the longest label, so that a longer text never reads as equal.
    wchar_t now[kMaxLabelLength + 2] = {};
    const int length = InternalGetWindowText(window, now, static_cast<int>(kMaxLabelLength + 2));
    return static_cast<size_t>(length) == label.size() &&
           std::memcmp(now, label.c_str(), label.size() * sizeof(wchar_t)) == 0;
}

bool HasAlpha(HWND taskbar, int16_t alpha) {
    if (!(GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYERED)) return false;
    COLORREF key = 0;
    BYTE now = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(taskbar, &key, &now, &flags) && (flags & LWA_ALPHA) && now == alpha;
}

Restyler::Restyler(ShellFinder finder, RegionSlot::DeleteRegionFn delete_region)
    : finder_(std::move(finder)), region_(delete_region) {}

Restyler::Application::Application(Restyler& restyler)
    : restyler_(restyler), running_(!restyler.applying_ && !restyler.paused_) {
    if (running_) restyler_.applying_ = true;
}

Restyler::Application::~Application() {
    if (!running_) return;
    restyler_.applying_ = false;
    if (restyler_.search_pending_) {
        restyler_.search_pending_ = false;
        restyler_.shell_.FindAll(restyler_.finder_);
        ++restyler_.searches_;
    }
}

void Restyler::Application::FindExtras() {
    if (running_) restyler_.shell_.FindExtras(restyler_.finder_);
}

void Restyler::Application::Alpha(int16_t alpha) {
    if (!running_) return;
    const ShellWindows& shell = restyler_.shell_;
    SetAlpha(shell.taskbar, alpha, calls_);
    for (const SecondaryTaskbar& extra : shell.extras) SetAlpha(extra.taskbar, alpha, calls_);
}

void Restyler::Application::Place(const Placement& placement) {
    if (!running_) return;
    const ShellWindows& shell = restyler_.shell_;
    PlaceIfMoved(shell.start_button, shell.taskbar, placement);
    for (const SecondaryTaskbar& extra : shell.extras)
        PlaceIfMoved(extra.start_button, extra.taskbar, placement);
}

void Restyler::Application::Label(const std::string& label) {
    if (!running_) return;
    restyler_.KeepLabel(label);
    const ShellWindows& shell = restyler_.shell_;
    SetLabel(shell.start_button, shell.taskbar, restyler_.label_, calls_);
    for (const SecondaryTaskbar& extra : shell.extras)
        SetLabel(extra.start_button, extra.taskbar, restyler_.label_, calls_);
}

void Restyler::Application::Outline(const Look& look) {
    if (!running_) return;
    restyler_.BuildOutline(look);
    const ShellWindows& shell = restyler_.shell_;
    const bool box = look.shape == ShapeType::kEllipse || look.shape == ShapeType::kRectangle;
    for (const SecondaryTaskbar& extra : shell.extras) {
        if (box)
            GiveBoxOutline(extra.start_button, look.shape, look.placement.width, calls_);
        else
            GiveOutline(extra.start_button, restyler_.region_, calls_);
    }
    GiveOutline(shell.start_button, restyler_.region_, calls_);
}

void Restyler::FindShell() {
    if (applying_) {
        search_pending_ = true;
        return;
    }
    shell_.FindAll(finder_);
    ++searches_;
}

void Restyler::Apply(const Look& look) {
    Application application(*this);
    application.FindExtras();
    if (look.make_opaque) application.Alpha(look.alpha);
    application.Place(look.placement);
    application.Label(look.label);
    application.Outline(look);
}

void Restyler::ApplyAlpha(int16_t alpha) { Application(*this).Alpha(alpha); }
void Restyler::ApplyPlacement(const Placement& placement) { Application(*this).Place(placement); }
void Restyler::ApplyLabel(const std::string& label) { Application(*this).Label(label); }
void Restyler::ApplyOutline(const Look& look) { Application(*this).Outline(look); }

void Restyler::KeepLabel(const std::string& label) {
    // Unchanged, the buffer a late answer may still read stays where it is.
    if (label == label_text_) return;
    label_text_ = label;
    label_ = win::Wide(label);
}

void Restyler::BuildOutline(const Look& look) {
    OutlineSource source;
    source.shape = look.shape;
    switch (look.shape) {
        case ShapeType::kEllipse:
        case ShapeType::kRectangle: {
            // Measured for a box only: a text outline does not depend on the button's size.
            RECT button{};
            if (shell_.start_button && GetWindowRect(shell_.start_button, &button))
                box_height_ = button.bottom - button.top;
            source.width = look.placement.width;
            source.height = box_height_;
            break;
        }
        case ShapeType::kText:
            source.text = look.outline_text;
            source.font = look.font;
            // Points become pixels of the Start button's own monitor, where the system can tell.
            source.dpi = win::WindowDpi(shell_.start_button);
            break;
        case ShapeType::kNone:
            return;  // the last outline stays
    }
    if (region_.state() != RegionSlot::State::kNone && source == built_from_) return;
    built_from_ = source;
    if (look.shape == ShapeType::kText) {
        if (!outliner_ready_) outliner_ready_ = outliner_.Create(nullptr);
        region_.Replace(outliner_.Build(source.text, source.font, source.dpi));  // null for an empty text
    } else {
        region_.Replace(BuildBoxOutline(source.shape, {source.width, source.height}));
    }
}

}  // namespace core
