// The main window: label boxes, transparency and position sliders, option boxes, the
// notification-area icon and the once-a-second re-application of the Start button's look.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/controls.h"
#include "core/look.h"
#include "core/shape.h"
#include "core/stored_look.h"
#include "win/handles.h"
#include "win/window.h"

namespace customize_window {
class CustomizeWindow;
}
namespace about_window {
class AboutWindow;
}

namespace main_window {

constexpr const char* kMainWindowClass = "Pelmora.Form1";
constexpr UINT kReapplyIntervalMs = 1000;
using core::kMaxLabelLength;

// Menu item identifiers of the notification-area menu.
enum MenuId : UINT { kMenuRestore = 101, kMenuExit = 102 };

class MainWindow : public win::Window {
public:
    MainWindow();
    ~MainWindow() override;

    // Creates the window and runs Load; false when the window could not be created.
    bool Create(const std::string& arguments);

    // The load routine (at start and after every label change), the shape application, and the
    // handlers, each named after what happened.
    void Load();
    void ApplyShape();
    void OnResize();
    void OnCloseRequest();
    // The notification-area icon's message: lParam's low word is the mouse message on the icon.
    void OnTrayMessage(LPARAM lparam);
    void OnRestoreChosen();
    void OnExitChosen();
    void OnMakeOpaqueClicked();
    void OnTransparencyChanged();
    void OnXChanged();
    void OnWidthChanged();
    void OnYChanged();
    void OnHeightChanged();
    void OnApplyLabelClicked();
    void OnStartupClicked();
    void OnTick();
    void OnCustomizeClicked();
    void OnAboutClicked();

    // The customize window, created hidden on first use.
    customize_window::CustomizeWindow& Customize();
    about_window::AboutWindow* About() const { return about_.get(); }

    HWND Taskbar() const { return shell_.taskbar; }
    HWND StartButton() const { return shell_.start_button; }
    core::SharedOutline& Shape() { return shape_; }
    // Lets a test stand its own windows in for the taskbar and the Start button.
    void UseTaskbarWindows(HWND taskbar, HWND start_button) {
        shell_.taskbar = taskbar;
        shell_.start_button = start_button;
    }
    const std::vector<core::SecondaryTaskbar>& SecondaryTaskbars() const { return shell_.extras; }
    bool Minimized() const { return minimized_; }
    void SetExitProcess(void (*exit_process)(UINT)) { exit_process_ = exit_process; }

    // The controls, public so that tests can drive them as a person would.
    controls::TextBox new_label_box;
    controls::TextBox current_label_box;  // read-only: the label the Start button had at the last load
    controls::Frame controls_frame, x_frame, y_frame;
    controls::ScrollBar transparency_slider;  // the taskbar's alpha, shown while "Make Opaque" is ticked
    controls::ScrollBar x_slider, width_slider, y_slider, height_slider;
    controls::CheckBox make_opaque_box;  // "Make Opaque"
    controls::CheckBox startup_box;      // "Startup"
    controls::Button about_button;
    controls::Label current_label_caption, new_label_caption;
    controls::Picture side_panel_picture, background_picture, frame_background_picture;
    controls::Picture apply_label_picture, customize_picture;  // the two that take clicks
    controls::Timer reapply_timer;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateControls();
    void LoadPictures();
    void Paint();
    core::Placement SliderPlacement() const;
    void OnPlacementSliderChanged(const char* setting, const controls::ScrollBar& slider);
    void ApplyPlacement();
    void SetWindowStateMinimized();
    void Restore();
    void ShowTrayMenu();
    void AddTrayIcon();
    void OnTaskbarCreated();

    std::string arguments_;
    core::LoadCopies copies_;  // the load's copies of the stored values, kept between loads
    bool first_load_ = true;
    bool minimized_ = false;
    int dpi_ = 96;
    // The taskbar and Start button found by the last load; the taskbars of further monitors are
    // searched again at every tick, as monitors come and go.
    core::ShellWindows shell_;
    NOTIFYICONDATAA tray_icon_{};
    UINT taskbar_created_message_ = 0;
    core::SharedOutline shape_;
    controls::ControlHost host_;
    win::unique_hwnd owner_;  // hidden owner: keeps the window off the taskbar
    win::unique_hicon icon_, icon_small_, side_panel_icon_;
    win::unique_hbitmap background_, apply_label_, customize_bitmap_;
    win::unique_hbrush frame_brush_;
    void (*exit_process_)(UINT) = nullptr;
    std::unique_ptr<customize_window::CustomizeWindow> customize_;
    std::unique_ptr<about_window::AboutWindow> about_;
};

}  // namespace main_window
