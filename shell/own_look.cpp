#include "shell/own_look.h"

#include "look/stored_look.h"
#include "win/handles.h"

namespace core {

namespace {

HANDLE Pack(int low, int high) {
    return reinterpret_cast<HANDLE>(
        static_cast<UINT_PTR>(static_cast<DWORD>(MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)))));
}
int Low(HANDLE packed) {
    return static_cast<short>(LOWORD(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(packed))));
}
int High(HANDLE packed) {
    return static_cast<short>(HIWORD(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(packed))));
}

bool IsChild(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

void Forget(HWND button, ATOM label) {
    RemovePropW(button, kOwnLabelProperty);
    RemovePropW(button, kOwnOriginProperty);
    RemovePropW(button, kOwnSizeProperty);
    GlobalDeleteAtom(label);
}

void GiveBackLabelAndPlace(HWND button, ShellCalls& calls, GiveBack& result) {
    const ATOM label = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(button, kOwnLabelProperty)));
    if (!label) return;
    result.found_anything = true;
    wchar_t text[kMaxLabelLength + 2] = {};
    const UINT length = GlobalGetAtomNameW(label, text, static_cast<int>(kMaxLabelLength + 2));
    const HANDLE origin = GetPropW(button, kOwnOriginProperty), size = GetPropW(button, kOwnSizeProperty);
    const UINT wait = OfAnotherThread(button) ? SWP_ASYNCWINDOWPOS : 0;
    SetWindowPos(button, nullptr, Low(origin), High(origin), Low(size), High(size),
                 SWP_NOZORDER | SWP_NOACTIVATE | wait);
    if (!calls.SetText(button, length ? text + 1 : L"")) {
        result.complete = false;  // remembered still: a later "/restore" gives it back
        return;
    }
    Forget(button, label);
}

}  // namespace

void RememberOwnLook(HWND start_button) {
    if (!start_button || GetPropW(start_button, kOwnLabelProperty)) return;
    wchar_t label[kMaxLabelLength + 2] = {L'L'};
    InternalGetWindowText(start_button, label + 1, static_cast<int>(kMaxLabelLength + 1));
    RECT place{};
    if (!GetWindowRect(start_button, &place)) return;
    if (IsChild(start_button))
        MapWindowPoints(HWND_DESKTOP, GetAncestor(start_button, GA_PARENT), reinterpret_cast<POINT*>(&place),
                        2);
    const ATOM atom = GlobalAddAtomW(label);
    if (!atom) return;
    // The label last: its presence says the whole look is there.
    if (!SetPropW(start_button, kOwnOriginProperty, Pack(place.left, place.top)) ||
        !SetPropW(start_button, kOwnSizeProperty, Pack(place.right - place.left, place.bottom - place.top)) ||
        !SetPropW(start_button, kOwnLabelProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom))))
        Forget(start_button, atom);
}

void RememberOwnOpacity(HWND taskbar) {
    if (!taskbar || GetPropW(taskbar, kOwnOpacityProperty)) return;
    BYTE alpha = 255;
    DWORD flags = 0;
    const bool layered = (GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (layered && !(GetLayeredWindowAttributes(taskbar, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)))
        alpha = 255;
    SetPropW(taskbar, kOwnOpacityProperty, Pack(layered ? 2 | (alpha << 8) : 1, 0));
}

void GiveBackOwnLook(HWND taskbar, HWND start_button, ShellCalls& calls, GiveBack& result) {
    if (start_button && IsWindow(start_button)) {
        GiveBackLabelAndPlace(start_button, calls, result);
        win::unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
        if (region && GetWindowRgn(start_button, region.get()) != ERROR) {
            result.found_anything = true;
            // SetWindowRgn waits for another thread without a limit: only on a button that answers.
            if (!calls.Answers(start_button) || !SetWindowRgn(start_button, nullptr, TRUE))
                result.complete = false;
        }
    }
    if (!taskbar || !IsWindow(taskbar)) return;
    const HANDLE own = GetPropW(taskbar, kOwnOpacityProperty);
    if (own && (Low(own) & 2)) {
        // The shell had it layered itself: its own alpha back.
        result.found_anything = true;
        SetLayeredWindowAttributes(taskbar, 0, static_cast<BYTE>(Low(own) >> 8), LWA_ALPHA);
        RemovePropW(taskbar, kOwnOpacityProperty);
        return;
    }
    const LONG ex_style = GetWindowLongW(taskbar, GWL_EXSTYLE);
    if (ex_style & WS_EX_LAYERED) {
        result.found_anything = true;
        // Changing another thread's window's style sends it messages: only a taskbar that answers.
        if (!calls.Answers(taskbar)) {
            result.complete = false;
            return;
        }
        SetWindowLongW(taskbar, GWL_EXSTYLE, ex_style & ~WS_EX_LAYERED);
    }
    RemovePropW(taskbar, kOwnOpacityProperty);
}

GiveBack GiveBackShellLook(const ShellFinder& finder) {
    GiveBack result;
    ShellCalls calls(kGiveBackBudgetMs);
    const HWND taskbar = finder.taskbar();
    GiveBackOwnLook(taskbar, finder.start_button(taskbar), calls, result);
    for (const SecondaryTaskbar& extra : finder.extras())
        GiveBackOwnLook(extra.taskbar, extra.start_button, calls, result);
    return result;
}

}  // namespace core
