// The fair floor for start-up time and memory: the work any program of Pelmora's kind must do
// before the Start button is outlined, and nothing more. Common controls v6 (its manifest), one
// window with a few of those controls, a notification-area icon, the taskbar's Start button found
// and given an elliptic region. Standalone: no Pelmora code. Closing its window removes the icon.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kWindowClass[] = L"PelmoraMinimalProgram";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

NOTIFYICONDATAW tray_icon{};

void CreateControls(HWND parent, HINSTANCE instance) {
    auto child = [&](const wchar_t* window_class, const wchar_t* text, DWORD style, int x, int y, int w,
                     int h, int id) {
        return CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    HWND toolbar = child(TOOLBARCLASSNAMEW, L"",
                         TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER, 8, 4, 200, 28, 100);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[2]{};
    const wchar_t* labels[2] = {L"One", L"Two"};
    for (int i = 0; i < 2; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 101 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_CHECK | BTNS_SHOWTEXT;
        buttons[i].iString = reinterpret_cast<INT_PTR>(labels[i]);
    }
    SendMessageW(toolbar, TB_ADDBUTTONS, 2, reinterpret_cast<LPARAM>(buttons));

    child(L"EDIT", L"Start", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 40, 200, 22, 200);
    child(L"BUTTON", L"Check", WS_TABSTOP | BS_AUTOCHECKBOX, 8, 70, 200, 20, 300);
    for (int i = 0; i < 2; ++i) {
        HWND bar = child(L"SCROLLBAR", L"", WS_TABSTOP | SBS_HORZ, 8, 100 + 24 * i, 200, 17, 400 + i);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, 1024, 0, 100, 0};
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
    }
}

void AddTrayIcon(HWND window) {
    tray_icon.cbSize = sizeof tray_icon;
    tray_icon.hWnd = window;
    tray_icon.uID = kTrayIconId;
    tray_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray_icon.uCallbackMessage = kTrayMessage;
    tray_icon.hIcon =
        LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION: shared, never destroyed
    lstrcpynW(tray_icon.szTip, L"minimal program", ARRAYSIZE(tray_icon.szTip));
    Shell_NotifyIconW(NIM_ADD, &tray_icon);
}

void OutlineStartButton() {
    HWND button = FindWindowExW(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr, L"BUTTON", nullptr);
    if (!button) return;
    RECT r{};
    GetWindowRect(button, &r);
    HRGN region = CreateEllipticRgn(0, 0, r.right - r.left, r.bottom - r.top);
    // A region the window took is the system's from then on; only a refused one is still ours.
    if (!SetWindowRgn(button, region, TRUE)) DeleteObject(region);
}

LRESULT CALLBACK MinimalWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        Shell_NotifyIconW(NIM_DELETE, &tray_icon);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSW wc{};
    wc.lpfnWndProc = MinimalWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"minimal program", WS_OVERLAPPEDWINDOW,
                                  0, 0, 320, 220, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    CreateControls(window, instance);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    AddTrayIcon(window);
    OutlineStartButton();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
