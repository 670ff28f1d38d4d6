// The main window: label boxes, transparency and position sliders, option boxes, the
// notification-area icon's menu and the timer of the once-a-second re-application.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/controls.h"
#include "controls/form.h"
#include "core/look_keeper.h"
#include "look/stored_look.h"
#include "customize_window/customize_window.h"
#include "main_window/environment.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/window.h"

namespace about_window {
class AboutWindow;
}

namespace main_window {

constexpr const char* kMainWindowClass = "Pelmora.MainWindow";
constexpr UINT kReapplyIntervalMs = 1000;
constexpr UINT_PTR kReapplyTimerId = 1;
using core::kMaxLabelLength;

// The identifiers of the main window's controls (GetDlgItem finds them).
enum ControlId : int {
    kNewLabelBox = 1001,
    kControlsFrame,
    kCurrentLabelCaption,
    kNewLabelCaption,
    kCurrentLabelBox,
    kMakeOpaqueBox,
    kStartupBox,
    kXFrame,
    kYFrame,
    kAboutButton,
    kTransparencySlider,
    kXSlider,
    kWidthSlider,
    kYSlider,
    kHeightSlider,
};

// Menu item identifiers of the notification-area menu.
enum MenuId : UINT {
    kMenuRestore = 101,
    kMenuExit = 102,
    kMenuPause = 103,
    kMenuSaveLook = 104,
    kMenuOpenLook = 105
};

// WM_COPYDATA's tag for "/import FILE" handing its file (UTF-16, its full path) to the running
// Pelmora, which checks, stores and loads it on its own thread between two ticks. The answer is
// kImportTaken when the look was taken, kImportBusy when it came while that thread was applying the
// look (nothing stored: it may be handed over again), else 0.
constexpr ULONG_PTR kImportLookData = 0x504C4B31;
constexpr LRESULT kImportTaken = 1, kImportBusy = 2;

// The controls frame, and the two pictures in it that take clicks (a person clicks where they are
// drawn), in twips of the client area.
constexpr int kControlsFrameX = 1200, kControlsFrameY = 0;
constexpr win::TwipsRect kApplyLabelPicture{kControlsFrameX + 120, kControlsFrameY + 1140, 1740, 435};
constexpr win::TwipsRect kCustomizePicture{kControlsFrameX + 120, kControlsFrameY + 3480, 3180, 450};

// The main window shows the look and turns a person's input into events for the look's owner
// (core::LookKeeper), which it makes with the window and keeps for its life; the customize window
// edits the outline's part through the same owner.
class MainWindow : public controls::Form {
  public:
    explicit MainWindow(Environment environment = {});
    ~MainWindow() override;

    // Creates the window and runs the load; false when the window could not be created.
    bool Create(const std::string& arguments);

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LayOut() override;

  private:
    // The load (at start) or the label action, which loads again; then the window is shown.
    void Load(const core::LookEvent& load);
    core::ScreenMeasure MeasureScreen() const;
    // Shows the parts of the look the keeper's answer names.
    void Show(const core::Shown& shown);
    void OnCustomizeClicked();
    void OnAboutClicked();
    void OnExitChosen();
    // The customize window, created hidden the first time the user opens it.
    customize_window::CustomizeWindow& Customize();

    // The handlers, each named after what happened.
    void OnResize();
    void OnCloseRequest();
    // The notification-area icon's message: lParam's low word is the mouse message on the icon.
    void OnTrayMessage(LPARAM lparam);
    // A second start of Pelmora handed over to this one (core::kHandOverMessage).
    void OnSecondStart();
    void OnRestoreChosen();
    void OnPauseChosen();
    void OnSaveLookChosen();
    void OnOpenLookChosen();
    // "/import" handing over its file (`data` may be null); the answer above.
    LRESULT OnLookImported(const COPYDATASTRUCT* data);
    void OnApplyLabelClicked();
    void OnLabelTyped();

    void ShowField(core::LookField field);
    // The new-label box shows the look's label; a text the box holds otherwise is the label.
    void ShowLabel();

    void CreateControls();
    void LoadPictures();
    void Paint();
    void SetWindowStateMinimized();
    void Restore();
    void ShowTrayMenu();

    // The controls; tests reach them as a person does, by their identifiers.
    controls::TextBox new_label_box_;
    controls::TextBox current_label_box_;  // read-only: the label the Start button had at the last load
    controls::Frame controls_frame_, x_frame_, y_frame_;
    controls::ScrollBar transparency_slider_;  // the taskbar's alpha, shown while "Make Opaque" is ticked
    controls::ScrollBar x_slider_, width_slider_, y_slider_, height_slider_;
    controls::CheckBox make_opaque_box_;  // "Make Opaque"
    controls::CheckBox startup_box_;      // "Startup"
    controls::Button about_button_;
    controls::Label current_label_caption_, new_label_caption_;
    controls::Picture side_panel_picture_, background_picture_, frame_background_picture_;
    controls::Picture apply_label_picture_, customize_picture_;  // the two that take clicks
    controls::Timer reapply_timer_;

    Environment environment_;
    std::string arguments_;
    bool first_load_ = true;
    bool minimized_ = false;
    std::unique_ptr<core::LookKeeper> keeper_;  // made with the window, which its icon names
    UINT taskbar_created_message_ = 0;
    win::unique_hwnd owner_;  // hidden owner: keeps the window off the taskbar
    win::unique_hicon icon_, icon_small_, side_panel_icon_;
    win::unique_hbitmap background_, apply_label_, customize_bitmap_;
    win::unique_hbrush frame_brush_;
    std::unique_ptr<customize_window::CustomizeWindow> customize_;
    std::unique_ptr<about_window::AboutWindow> about_;
};

}  // namespace main_window
