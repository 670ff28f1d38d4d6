// The notification-area icon: its record and the decoding of its mouse messages.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace app {

// The icon reports mouse activity through the mouse-move message number.
constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;
constexpr UINT kTrayIconId = 1;
constexpr const char* kTrayTip = "Pelmora";

enum class TrayAction { kNone, kRestore, kShowMenu };

// What a callback's mouse message (the low word of lParam) asks for: a left release or a left
// double-click restores, a right release opens the menu, everything else is ignored.
TrayAction DecodeTrayMessage(LPARAM lparam);

// The record in its first, smallest form (88 bytes on 32-bit Windows): tip "Pelmora", one NUL,
// the rest of the 64-byte field filled with spaces.
NOTIFYICONDATAA MakeTrayIconRecord(HWND owner, HICON icon);

}  // namespace app
