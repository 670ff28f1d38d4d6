// The look the shell gave a Start button before Pelmora first changed it (its label and its place),
// kept on the button itself as window properties. It lasts as long as that button, however often
// Pelmora is ended and started again meanwhile, and goes with it: a restarted shell, which has its
// own look back already, finds nothing stale. "/restore" gives it back.
#pragma once

#include <windows.h>

#include "shell/shell_calls.h"
#include "shell/taskbar_search.h"

namespace core {

// The window properties a remembered look is kept in. The label is a global atom of its text after
// an 'L' (so that an empty label, or one that reads as a number, still makes a string atom); its
// presence says a look is remembered. Place and size are two 16-bit halves each. On a taskbar, the
// opacity is 1 when it was not layered, else 2 with its own alpha in the second byte.
constexpr const wchar_t* kOwnLabelProperty = L"Pelmora.OwnLabel";
constexpr const wchar_t* kOwnOriginProperty = L"Pelmora.OwnOrigin";
constexpr const wchar_t* kOwnSizeProperty = L"Pelmora.OwnSize";
constexpr const wchar_t* kOwnOpacityProperty = L"Pelmora.OwnOpacity";

// Remembers the button's present label and place (in its taskbar's coordinates for a child, on the
// screen for a top-level button), unless a look is remembered on it already.
void RememberOwnLook(HWND start_button);
// Remembers whether the taskbar was layered, and with which alpha, before it is first made
// translucent.
void RememberOwnOpacity(HWND taskbar);

// How long giving back may wait on the shell in all: a command run once, not a tick.
constexpr DWORD kGiveBackBudgetMs = 2000;

// What giving back found and did.
struct GiveBack {
    bool found_anything = false;  // a remembered look, a region or a layered taskbar
    bool complete = true;         // false when the shell did not answer for some of it
};

// Gives the button back its remembered label and place and its whole rectangle, forgets what was
// remembered, and makes the taskbar opaque again (no longer layered).
void GiveBackOwnLook(HWND taskbar, HWND start_button, ShellCalls& calls, GiveBack& result);

// The shell's own look given back on the main taskbar and every further one.
GiveBack GiveBackShellLook(const ShellFinder& finder);

}  // namespace core
