// Pelmora run as administrator runs at high integrity, while the shell and a later start of
// Pelmora run at medium; the system drops messages from a lower integrity level to a window of a
// higher one (UIPI) unless that window lets them through. Without this an elevated Pelmora would
// never hear the shell restart, its icon's clicks, a second start's hand-over or "/exit".
#pragma once

#include <windows.h>

#include <vector>

namespace core {

// A second start's hand-over: restyling goes on again (a restarting shell may have stopped it). A
// start that is not "/min" posts the icon's left-click before it, which shows the window as a click
// on the icon does and which a Pelmora of an older version understands too.
constexpr UINT kHandOverMessage = WM_APP + 2;
// The Exit that "/exit" and "/restore" post: the window ends as its "&Exit" ends it.
constexpr UINT kExitMessage = WM_APP + 3;

// The messages the main window lets through from a lower integrity level: the registered
// "TaskbarCreated" (`taskbar_created`; 0 when it could not be registered, left out), the icon's
// callback message, the hand-over, the Exit and "/import"'s file (WM_COPYDATA). None of them carries anything
// the window reads as a handle or a pointer, and nothing else comes through: a lower process may not type,
// click or close in the window.
std::vector<UINT> MessagesFromLowerIntegrity(UINT taskbar_created);

// How they are let through: the window's own filter (Windows 7 and later); else the process's
// (Vista's only form, which lets them reach every window of the process); else nothing, since
// before Vista there are no integrity levels and every message arrives.
enum class MessageFilter { kPerWindow, kProcessWide, kNone };
MessageFilter ChooseMessageFilter(bool per_window_found, bool process_wide_found);

// Lets MessagesFromLowerIntegrity through to `window`, with the functions the system has (looked up
// at run time, so that a system without them still starts). False when the system refused one.
bool LetThroughFromLowerIntegrity(HWND window, UINT taskbar_created);

}  // namespace core
