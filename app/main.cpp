// Pelmora: restyles the taskbar's Start button for as long as it runs.
#include <windows.h>
#include <commctrl.h>

#include "main_window/main_window.h"
#include "core/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    main_window::MainWindow form;
    if (!form.Create(core::ArgumentsOf(GetCommandLineA()))) return 1;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab moves between the controls of whichever window has the focus.
        HWND top = GetAncestor(msg.hwnd, GA_ROOT);
        if (top && IsDialogMessageA(top, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
