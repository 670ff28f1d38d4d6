#include "core/tray_icon.h"

#include <cstring>

namespace core {

TrayAction DecodeTrayMessage(LPARAM lparam) {
    switch (LOWORD(lparam)) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return TrayAction::kRestore;
        case WM_RBUTTONUP:
            return TrayAction::kShowMenu;
        default:
            return TrayAction::kNone;
    }
}

NOTIFYICONDATAA MakeTrayIconRecord(HWND owner, HICON icon) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    std::memset(record.szTip, ' ', 64);
    const size_t length = std::strlen(kTrayTip);
    std::memcpy(record.szTip, kTrayTip, length);
    record.szTip[length] = '\0';
    return record;
}

}  // namespace core
