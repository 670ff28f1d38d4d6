// The notification-area icon: its record and the decoding of its mouse messages.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace core {

// The icon reports its mouse activity through a message of the program's own. It used to be the
// mouse-move number, which real pointer moves over the main window also carry: on a window wider
// than 514 pixels a move across x = 514 or 517 read as a click on the icon.
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr const wchar_t* kTrayTip = L"Pelmora";

enum class TrayAction { kNone, kRestore, kShowMenu };

// What an icon message's mouse message (the low word of lParam) asks for: a left release or a left
// double-click restores, a right release opens the menu, everything else is ignored.
TrayAction DecodeTrayMessage(LPARAM lparam);

// The record in its first, smallest form (152 bytes on 32-bit Windows): tip "Pelmora", one NUL,
// the rest of the 64-character field filled with spaces.
NOTIFYICONDATAW MakeTrayIconRecord(HWND owner, HICON icon);

}  // namespace core
