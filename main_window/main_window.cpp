// The main window itself: creation, message routing, the notification-area icon and the
// hide-instead-of-close lifecycle.
#include "main_window/main_window.h"

#include <windowsx.h>

#include <utility>

#include "about_window/about_window.h"
#include "resources/resource.h"
#include "shell/lower_integrity.h"
#include "shell/tray_icon.h"
#include "customize_window/customize_window.h"
#include "win/dpi.h"
#include "win/placement.h"
#include "win/text.h"

namespace main_window {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}  // namespace

MainWindow::MainWindow(Environment environment) : environment_(std::move(environment)) {}

MainWindow::~MainWindow() {
    reapply_timer_.Stop();
    // A window that goes away takes its icon along; the shell would keep a dead one otherwise.
    if (keeper_) keeper_->Handle(core::Ending{});
    // Before any member goes: the hidden owner would otherwise take this window along in the
    // middle of member destruction, delivering its last messages to a half-destroyed object.
    Destroy();
    about_.reset();
    customize_.reset();
}

bool MainWindow::Create(const std::string& arguments) {
    arguments_ = arguments;
    SetDpi(win::NewWindowDpi());
    HINSTANCE instance = GetModuleHandleW(nullptr);
    icon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    icon_small_.reset(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PELMORA), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    // An owned window has no taskbar button; the owner itself is never shown.
    owner_.reset(
        CreateWindowExW(0, L"STATIC", L"Pelmora", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));

    const RECT r = win::CenteredWindowRect(win::TwipsToPixels(4740, dpi()), win::TwipsToPixels(4155, dpi()),
                                           kStyle, kExStyle);
    // The class keeps its icon for the life of the process: a shared one, which nobody destroys.
    HICON class_icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_PELMORA), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!CreateWindowOfClass(kMainWindowClass, "Pelmora", kStyle, kExStyle, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, owner_.get(), class_icon))
        return false;
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_small_.get()));
    taskbar_created_message_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Run as administrator, it still hears the shell and a later start. Refused, an elevated one
    // stays deaf to them and a later "/exit" says so; nothing else depends on it, so it works on.
    core::LetThroughFromLowerIntegrity(hwnd(), taskbar_created_message_);
    keeper_ = std::make_unique<core::LookKeeper>(
        environment_.shell, core::MakeTrayIconRecord(hwnd(), icon_small_ ? icon_small_.get() : icon_.get()));

    CreateControls();
    LayOutAt(dpi());
    Load(core::Load{MeasureScreen()});
    reapply_timer_.Start(hwnd(), kReapplyTimerId, kReapplyIntervalMs);
    return true;
}

customize_window::CustomizeWindow& MainWindow::Customize() {
    if (!customize_) {
        customize_ = std::make_unique<customize_window::CustomizeWindow>(*keeper_, environment_.font_dialog);
        customize_->Create();
    }
    return *customize_;
}

void MainWindow::SetWindowStateMinimized() {
    minimized_ = true;
    if (IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);  // raises OnResize, which hides the window
}

void MainWindow::OnResize() {
    if (minimized_ || IsIconic(hwnd())) ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::OnCloseRequest() { SetWindowStateMinimized(); }

void MainWindow::Restore() {
    minimized_ = false;
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
}

void MainWindow::OnRestoreChosen() { Restore(); }

void MainWindow::OnExitChosen() {
    keeper_->Handle(core::Ending{});
    environment_.end_process(0);
}

void MainWindow::OnSecondStart() {
    // A person who starts Pelmora again expects it to work again; the window itself came with the
    // icon's click posted before this (none for "/min").
    keeper_->Handle(core::Resume{});
}

void MainWindow::OnTrayMessage(LPARAM lparam) {
    switch (core::DecodeTrayMessage(lparam)) {
        case core::TrayAction::kRestore:
            Restore();
            break;
        case core::TrayAction::kShowMenu:
            ShowTrayMenu();
            break;
        case core::TrayAction::kNone:
            break;
    }
}

void MainWindow::ShowTrayMenu() {
    // Foreground first, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(hwnd());
    win::unique_hmenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kMenuRestore, L"&Restore");
    AppendMenuW(menu.get(), MF_STRING | (keeper_->paused() ? MF_CHECKED : MF_UNCHECKED), kMenuPause,
                L"&Pause");
    AppendMenuW(menu.get(), MF_STRING, kMenuSaveLook, L"&Save Look...");
    AppendMenuW(menu.get(), MF_STRING, kMenuOpenLook, L"&Open Look...");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kMenuExit, L"&Exit");
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(menu.get(), 0, at.x, at.y, 0, hwnd(), nullptr);
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void MainWindow::OnPauseChosen() { keeper_->Handle(core::PauseChosen{!keeper_->paused()}); }

void MainWindow::OnSaveLookChosen() {
    const std::optional<std::string> path = environment_.pick_look_file(hwnd(), LookFileDialog::kSave);
    if (!path) return;
    const core::Shown shown = keeper_->Handle(core::LookSaved{*path});
    if (!shown.refusal().empty()) environment_.tell(hwnd(), shown.refusal());
}

void MainWindow::OnOpenLookChosen() {
    const std::optional<std::string> path = environment_.pick_look_file(hwnd(), LookFileDialog::kOpen);
    if (!path) return;
    const core::Shown shown = keeper_->Handle(core::LookOpened{*path, MeasureScreen()});
    Show(shown);
    if (!shown.refusal().empty()) environment_.tell(hwnd(), shown.refusal());
}

LRESULT MainWindow::OnLookImported(const COPYDATASTRUCT* data) {
    // Any process may send it, from a lower integrity level too: a null one comes through as null.
    if (!data || data->dwData != kImportLookData || !data->lpData || data->cbData % sizeof(wchar_t) != 0)
        return 0;
    const auto* path = static_cast<const wchar_t*>(data->lpData);
    const core::Shown shown = keeper_->Handle(
        core::LookOpened{win::Utf8(path, wcsnlen(path, data->cbData / sizeof(wchar_t))), MeasureScreen()});
    Show(shown);
    if (shown.busy()) return kImportBusy;
    return shown.refusal().empty() ? kImportTaken : 0;
}

void MainWindow::OnAboutClicked() {
    if (!about_ || !about_->hwnd()) {
        about_ = std::make_unique<about_window::AboutWindow>(environment_.open_address);
        about_->Create();
    }
    about_->Show();
}

void MainWindow::OnCustomizeClicked() { Customize().Show(); }

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (taskbar_created_message_ && msg == taskbar_created_message_) {
        keeper_->Handle(core::TaskbarCreated{});
        return 0;
    }
    switch (msg) {
        case core::kTrayCallbackMessage:
            OnTrayMessage(lp);
            return 0;
        case core::kHandOverMessage:
            OnSecondStart();
            return 0;
        case core::kExitMessage:
            OnExitChosen();
            return 0;
        case WM_COPYDATA:
            return OnLookImported(reinterpret_cast<const COPYDATASTRUCT*>(lp));
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lp) != current_label_box_.hwnd()) {
                SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        case WM_SIZE:
            if (wp == SIZE_MINIMIZED) {
                minimized_ = true;
                OnResize();
            }
            return 0;
        case WM_CLOSE:
            OnCloseRequest();
            return 0;
        default:
            break;
    }
    return Form::OnMessage(msg, wp, lp);
}

}  // namespace main_window
