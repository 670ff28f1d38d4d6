#include "shell/tray_icon.h"

#include <cwchar>

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

NOTIFYICONDATAW MakeTrayIconRecord(HWND owner, HICON icon) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    for (wchar_t& c : record.szTip) c = L' ';
    const size_t length = std::wcslen(kTrayTip);
    std::wmemcpy(record.szTip, kTrayTip, length);
    record.szTip[length] = L'\0';
    return record;
}

}  // namespace core
