// The look the shell gave a Start button before Pelmora first changed it (its label and its place),
// kept on the button itself as window properties. It lasts as long as that button, however often
// Pelmora is ended and started again meanwhile, and goes with it: a restarted shell, which has its
// own look back already, finds nothing stale. "/restore" gives it back.
//
// The properties are named by integer atoms and hold plain numbers, so nothing of it sits in a
// system-wide table: a string name or a global atom of the label would (and a window destroyed with
// them on it leaves the atoms' references behind), and a global atom gives its text back in the case
// of whichever program added it first.
#pragma once

#include <windows.h>

#include "shell/shell_calls.h"
#include "shell/taskbar_search.h"

namespace core {

// Remembers the button's present label and place (in its taskbar's coordinates for a child; for a
// top-level button, relative to the client origin of `taskbar`), unless a look is remembered on it
// already. A look an earlier version remembered is kept, in this form.
void RememberOwnLook(HWND start_button, HWND taskbar);
// Remembers whether the taskbar was layered, and with which alpha, before it is first made
// translucent.
void RememberOwnOpacity(HWND taskbar);

// How long giving back may wait on the shell in all: a command run once, not a tick.
constexpr DWORD kGiveBackBudgetMs = 2000;

// What giving back found and did.
struct GiveBack {
    bool found_anything = false;  // a remembered look, a region or a layered taskbar
    bool complete = true;         // false when the shell did not take some of it
};

// Gives the button back its remembered label and place (a top-level one on `taskbar`, wherever that
// lies now) and its whole rectangle, and makes the taskbar opaque again (no longer layered, or with
// the alpha it had). What was given back is forgotten; what the shell refused stays remembered.
void GiveBackOwnLook(HWND taskbar, HWND start_button, ShellCalls& calls, GiveBack& result);

// The shell's own look given back on the main taskbar and every further one, waiting on the shell
// for at most `budget_ms` in all, or within what is left of `calls`.
GiveBack GiveBackShellLook(const ShellFinder& finder, DWORD budget_ms = kGiveBackBudgetMs);
GiveBack GiveBackShellLook(const ShellFinder& finder, ShellCalls& calls);

// Forgets what is remembered on the button and the taskbar, in either form, giving nothing back.
void ForgetOwnLook(HWND start_button, HWND taskbar);

}  // namespace core
