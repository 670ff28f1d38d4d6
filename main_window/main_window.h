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
#include "controls/form.h"
#include "core/look.h"
#include "core/look_edit.h"
#include "core/look_store.h"
#include "core/restyler.h"
#include "core/stored_look.h"
#include "core/tray_icon_calls.h"
#include "customize_window/customize_window.h"
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
enum MenuId : UINT { kMenuRestore = 101, kMenuExit = 102 };

// The main window owns the look (a plain value it shows and edits), applies it through the
// restyler and stores it one field at a time; the customize window edits the outline's part of it.
class MainWindow : public controls::Form, private customize_window::OutlineEditing {
  public:
    MainWindow();
    ~MainWindow() override;

    // Creates the window and runs the load; false when the window could not be created.
    bool Create(const std::string& arguments);

    // The customize window, once the user has opened it (null before); its font dialog can be
    // stood in for.
    customize_window::CustomizeWindow* CustomizeIfMade() const { return customize_.get(); }
    about_window::AboutWindow* About() const { return about_.get(); }

    // The shell's windows that get the look; a test may stand its own windows in.
    core::Restyler& restyler() { return restyler_; }
    HWND Taskbar() const { return restyler_.shell().taskbar; }
    HWND StartButton() const { return restyler_.shell().start_button; }
    const std::vector<core::SecondaryTaskbar>& SecondaryTaskbars() const { return restyler_.shell().extras; }
    // What "&Exit" ends the process with (ExitProcess unless a test puts another here).
    void SetExitProcess(void (*exit_process)(UINT)) { exit_process_ = exit_process; }
    // Where the windowless pictures that take clicks lie, in client pixels.
    RECT ApplyLabelPictureBounds() const { return apply_label_picture_.Bounds(); }
    RECT CustomizePictureBounds() const { return customize_picture_.Bounds(); }

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LayOut() override;

  private:
    // The load routine: at start and after every label change.
    void Load();
    // The tick: the look applied again, once a second.
    void OnTick();
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
    void OnRestoreChosen();
    void OnApplyLabelClicked();

    // An edit of the look, from a person's input or the load: the look takes it, the controls show
    // it, the shell is given it, the field is stored.
    void Perform(const core::LookEdit& edit);
    void ShowField(core::LookField field);
    // The new-label box shows the label; the look takes it as the box holds it.
    void ShowLabel(const std::string& label);
    core::SliderRanges SliderRanges() const;

    // What the customize window edits.
    core::ShapeType Shape() const override { return look_.shape; }
    const std::string& OutlineText() const override { return look_.outline_text; }
    const core::FontAttributes& FontDialog() const override { return font_source_.dialog; }
    void ChooseShape(core::ShapeType shape) override;
    void EditOutlineText(const std::string& text) override;
    void PickFont(const core::FontAttributes& dialog) override;

    void CreateControls();
    void LoadPictures();
    void Paint();
    // The stored shape, read again (another tool may have stored one), with the text and font of a
    // text-shaped outline.
    void ReadStoredShape();
    void ReadOutlineSource();
    void SetXSlidersMaximum();
    void SetWindowStateMinimized();
    void Restore();
    void ShowTrayMenu();
    void AddTrayIcon();
    void RemoveTrayIcon();
    void OnTaskbarCreated();

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

    std::string arguments_;
    core::Look look_;
    core::OutlineFontSource font_source_;
    std::string font_face_;    // the outline font's face as last stored
    core::LoadCopies copies_;  // the load's copies of the stored values, kept between loads
    bool first_load_ = true;
    bool minimized_ = false;
    // The taskbar and Start button found by the last load (and after a shell restart); the
    // taskbars of further monitors are searched again at every tick, as monitors come and go.
    core::Restyler restyler_;
    std::unique_ptr<core::TrayIconCalls> tray_icon_;  // made with the first add
    UINT taskbar_created_message_ = 0;
    win::unique_hwnd owner_;  // hidden owner: keeps the window off the taskbar
    win::unique_hicon icon_, icon_small_, side_panel_icon_;
    win::unique_hbitmap background_, apply_label_, customize_bitmap_;
    win::unique_hbrush frame_brush_;
    void (*exit_process_)(UINT) = nullptr;
    std::unique_ptr<customize_window::CustomizeWindow> customize_;
    std::unique_ptr<about_window::AboutWindow> about_;
};

}  // namespace main_window
