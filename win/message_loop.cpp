#include "win/message_loop.h"

#include <windows.h>

namespace win {

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND top = GetAncestor(msg.hwnd, GA_ROOT);
        if (top && IsDialogMessageW(top, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace win
