// The main window: label boxes, transparency and position sliders, option boxes, the
// notification-area icon and the once-a-second re-application of the Start button's look.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/start_button.h"
#include "controls/controls.h"
#include "shaping/shared_shape.h"
#include "win/handles.h"
#include "win/window.h"

namespace customize {
class Form2;
}
namespace about {
class FrmAbout;
}

namespace app {

constexpr const char* kForm1Class = "Pelmora.Form1";
constexpr UINT kReapplyIntervalMs = 1000;
// The longest label: the load routine reads the Start button's text into 255 characters with a NUL.
constexpr size_t kMaxLabelLength = 254;

// Menu item identifiers of the notification-area menu.
enum MenuId : UINT { kMenuRestore = 101, kMenuExit = 102 };

class Form1 : public win::Window {
public:
    Form1();
    ~Form1() override;

    // Creates the window and runs Form_Load; false when the window could not be created.
    bool Create(const std::string& arguments);

    // Public methods and handlers, named as the form's events.
    void Form_Load();
    void draw();
    void Form_Resize();
    void Form_Unload();
    // The notification-area icon's message: lParam's low word is the mouse message on the icon.
    void OnTrayMessage(LPARAM lparam);
    void mPopRestore_Click();
    void mPopExit_Click();
    void Check1_Click();
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    void HScroll4_Change();
    void HScroll5_Change();
    void Image4_Click();
    void Check2_Click();
    void Timer1_Timer();
    void Image5_Click();
    void Command1_Click();

    // The customize window, created hidden on first use.
    customize::Form2& CustomizeWindow();
    about::FrmAbout* AboutWindow() const { return about_.get(); }

    HWND TaskbarWnd() const { return taskbar_; }
    HWND StartButtonWnd() const { return start_button_; }
    shaping::SharedShape& Shape() { return shape_; }
    // Lets a test stand its own windows in for the taskbar and the Start button.
    void UseTaskbarWindows(HWND taskbar, HWND start_button) {
        taskbar_ = taskbar;
        start_button_ = start_button;
    }
    const std::vector<SecondaryTaskbar>& SecondaryTaskbars() const { return secondary_taskbars_; }
    bool Minimized() const { return minimized_; }
    void SetExitProcess(void (*exit_process)(UINT)) { exit_process_ = exit_process; }

    controls::TextBox Text1;  // new label
    controls::TextBox Text2;  // the Start button's present label (read-only)
    controls::Frame Frame1, Frame2, Frame3;
    controls::ScrollBar HScroll1;  // taskbar alpha
    controls::ScrollBar HScroll2;  // X
    controls::ScrollBar HScroll3;  // width
    controls::ScrollBar HScroll4;  // Y
    controls::ScrollBar HScroll5;  // height
    controls::CheckBox Check1;     // "Make Opaque"
    controls::CheckBox Check2;     // "Startup"
    controls::Button Command1;     // "About"
    controls::Label Label2, Label3;
    controls::Picture Image1, Image2, Image3, Image4, Image5;
    controls::Timer Timer1;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateControls();
    void LoadPictures();
    void Paint();
    // Each gives the main Start button (or taskbar) and every extra one the same look.
    void PlaceStartButton();
    void SetTaskbarAlpha(int16_t alpha);
    void SetStartButtonLabel(const std::string& label);
    void SetWindowStateMinimized();
    void Restore();
    void ShowTrayMenu();
    void AddTrayIcon();
    void OnTaskbarCreated();
    const controls::Picture* PictureAt(POINT pt) const;

    std::string arguments_;
    // Copies of the settings that the load routine hands to controls. They live as long as the
    // window, so a copy whose read fails keeps the value of the previous load.
    std::string label_copy_;
    // The alpha copy starts where its slider starts: an alpha that does not convert must not become
    // an invisible taskbar.
    int16_t hs1_copy_ = 255, px1_copy_ = 0, px2_copy_ = 0, py1_copy_ = 0;
    bool first_load_ = true;
    bool minimized_ = false;
    int dpi_ = 96;
    HWND taskbar_ = nullptr;
    HWND start_button_ = nullptr;
    // The taskbars of further monitors, searched again at every tick: monitors come and go.
    std::vector<SecondaryTaskbar> secondary_taskbars_;
    NOTIFYICONDATAA tray_icon_{};
    UINT taskbar_created_message_ = 0;
    shaping::SharedShape shape_;
    controls::ControlHost host_;
    win::unique_hwnd owner_;  // hidden owner: keeps the window off the taskbar
    win::unique_hicon icon_, icon_small_, side_panel_icon_;
    win::unique_hbitmap background_, apply_label_, customize_;
    win::unique_hbrush frame_brush_;
    const controls::Picture* pressed_picture_ = nullptr;
    void (*exit_process_)(UINT) = nullptr;
    std::unique_ptr<customize::Form2> form2_;
    std::unique_ptr<about::FrmAbout> about_;
};

}  // namespace app
