// One Pelmora per user session: two would each place the Start button from their own sliders once a
// second, so a second start hands over to the first one and ends.
#pragma once

#include <windows.h>

namespace app {

// Its existence says a Pelmora runs in this session, from before its main window is made;
// "Local\" keeps another session's Pelmora apart.
constexpr const char* kSessionMutexName = "Local\\Velmontix.Pelmora";

// How long a second start waits for the first one's main window: the first may have made the mutex
// and not yet its window (a double-click while the logon start is still loading).
constexpr DWORD kFirstWindowWaitMs = 5000;

// Hands over to the running Pelmora: its restyling goes on again (core::kHandOverMessage), and with
// `show` its main window comes back and to the front through the notification-area icon's own
// left-click message, so it does exactly what that click does. False when no main window appeared
// within `wait_ms` or it refused the messages.
bool HandOverToRunningInstance(bool show, DWORD wait_ms = kFirstWindowWaitMs);

// How long "/exit" and "/restore" wait for a running Pelmora to end (and for one still starting to
// make its window first).
constexpr DWORD kRunningEndWaitMs = 5000;

// Ends every running Pelmora of this desktop as its "&Exit" does (its icon removed, nothing
// stored), one still starting included; true when none runs any more. False at once when one
// refuses the Exit (an elevated Pelmora the system keeps this one from).
bool EndRunningInstances(DWORD wait_ms = kRunningEndWaitMs);

}  // namespace app
