// The main window itself: creation, message routing, the notification-area icon and the
// hide-instead-of-close lifecycle.
#include "app/form1.h"

#include <windowsx.h>

#include "about/frm_about.h"
#include "app/resource.h"
#include "app/start_button.h"
#include "app/tray.h"
#include "customize/form2.h"
#include "win/dpi.h"
#include "win/placement.h"

namespace app {

namespace {
constexpr UINT_PTR kTimer1Id = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}  // namespace

Form1::Form1() = default;

Form1::~Form1() {
    Timer1.Stop();
    // A window that goes away takes its icon along; the shell would keep a dead one otherwise.
    if (tray_icon_.hWnd) Shell_NotifyIconA(NIM_DELETE, &tray_icon_);
    // Before any member goes: the hidden owner would otherwise take this window along in the
    // middle of member destruction, delivering its last messages to a half-destroyed object.
    Destroy();
    about_.reset();
    form2_.reset();
}

bool Form1::Create(const std::string& arguments) {
    arguments_ = arguments;
    dpi_ = win::ScreenDpi();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    icon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    icon_small_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    // An owned window has no taskbar button; the owner itself is never shown.
    owner_.reset(CreateWindowExA(0, "STATIC", "Pelmora", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));

    const RECT r = win::CenteredWindowRect(win::TwipsToPixels(4740, dpi_), win::TwipsToPixels(4155, dpi_), kStyle,
                                           kExStyle);
    // The class keeps its icon for the life of the process: a shared one, which nobody destroys.
    HICON class_icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!CreateWindowOfClass(kForm1Class, "Pelmora", kStyle, kExStyle, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, owner_.get(), class_icon))
        return false;
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_small_.get()));
    taskbar_created_message_ = RegisterWindowMessageA("TaskbarCreated");

    CreateControls();
    Form_Load();
    Timer1.Start(hwnd(), kTimer1Id, kReapplyIntervalMs);
    return true;
}

customize::Form2& Form1::CustomizeWindow() {
    if (!form2_) {
        form2_ = std::make_unique<customize::Form2>(shape_, [this] { draw(); });
        form2_->Create();
    }
    return *form2_;
}

void Form1::AddTrayIcon() {
    tray_icon_ = MakeTrayIconRecord(hwnd(), icon_small_ ? icon_small_.get() : icon_.get());
    Shell_NotifyIconA(NIM_ADD, &tray_icon_);
}

void Form1::SetWindowStateMinimized() {
    minimized_ = true;
    if (IsWindowVisible(hwnd()))
        ShowWindow(hwnd(), SW_MINIMIZE);  // raises Form_Resize, which hides the window
}

void Form1::Form_Resize() {
    if (minimized_ || IsIconic(hwnd())) ShowWindow(hwnd(), SW_HIDE);
}

void Form1::Form_Unload() { SetWindowStateMinimized(); }

void Form1::Restore() {
    minimized_ = false;
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
}

void Form1::mPopRestore_Click() { Restore(); }

void Form1::mPopExit_Click() {
    Shell_NotifyIconA(NIM_DELETE, &tray_icon_);
    if (exit_process_) {
        exit_process_(0);
        return;
    }
    ExitProcess(0);
}

void Form1::OnTrayMessage(LPARAM lparam) {
    switch (DecodeTrayMessage(lparam)) {
        case TrayAction::kRestore:
            Restore();
            break;
        case TrayAction::kShowMenu:
            ShowTrayMenu();
            break;
        case TrayAction::kNone:
            break;
    }
}

void Form1::ShowTrayMenu() {
    // Foreground first, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(hwnd());
    win::unique_hmenu menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, kMenuRestore, "&Restore");
    AppendMenuA(menu.get(), MF_STRING, kMenuExit, "&Exit");
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(menu.get(), 0, at.x, at.y, 0, hwnd(), nullptr);
    PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void Form1::OnTaskbarCreated() {
    // The shell came back: the old handles are gone and so is our icon.
    taskbar_ = FindTaskbar();
    start_button_ = FindStartButton(taskbar_);
    secondary_taskbars_ = FindSecondaryTaskbars();
    AddTrayIcon();
}

void Form1::Command1_Click() {
    if (!about_ || !about_->hwnd()) {
        about_ = std::make_unique<about::FrmAbout>();
        about_->Create();
    }
    about_->Show();
}

void Form1::Image5_Click() { CustomizeWindow().Show(); }

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (taskbar_created_message_ && msg == taskbar_created_message_) {
        OnTaskbarCreated();
        return 0;
    }
    switch (msg) {
        case kTrayCallbackMessage:
            OnTrayMessage(lp);
            return 0;
        case WM_COMMAND:
            if (lp == 0 && HIWORD(wp) == 0) {
                if (LOWORD(wp) == kMenuRestore) mPopRestore_Click();
                if (LOWORD(wp) == kMenuExit) mPopExit_Click();
                return 0;
            }
            host_.Forward(msg, wp, lp);
            return 0;
        case WM_HSCROLL:
            host_.Forward(msg, wp, lp);
            return 0;
        case WM_TIMER:
            Timer1.OnTimer(wp);
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lp) != Text2.hwnd()) {
                SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        case WM_SIZE:
            if (wp == SIZE_MINIMIZED) {
                minimized_ = true;
                Form_Resize();
            }
            return 0;
        case WM_CLOSE:
            Form_Unload();
            return 0;
        case WM_LBUTTONDOWN:
            pressed_picture_ = PictureAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        case WM_LBUTTONUP: {
            const controls::Picture* picture = PictureAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            const bool clicked = picture && picture == pressed_picture_;
            pressed_picture_ = nullptr;
            if (clicked && picture->Click) picture->Click();
            return 0;
        }
        default:
            break;
    }
    return win::Window::HandleMessage(msg, wp, lp);
}

}  // namespace app
