// The load routine: runs at start and again after every label change. Each step that fails is
// skipped and the next one runs; nothing is reported.
#include <cmath>

#include "app/form1.h"
#include "app/start_button.h"
#include "app/startup_args.h"
#include "customize/form2.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "shaping/window_alpha.h"
#include "win/dpi.h"

namespace app {

namespace {
constexpr int kLabelBufferLength = 255;
constexpr int kForm2NormalWidthTwips = 4035;
}  // namespace

void Form1::Form_Load() {
    using settings::Value;

    // "/min" belongs to the process start only: a later load (after a label change) must not hide
    // the window under the user's hands.
    if (first_load_ && IsMinimizedStart(arguments_)) SetWindowStateMinimized();
    first_load_ = false;

    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);

    label_copy_ = registry::ReadSetting(names::kText).ToText();
    auto read_int16 = [](const char* name, int16_t& copy) {
        if (std::optional<int16_t> v = registry::ReadSetting(name).ToInt16()) copy = *v;
    };
    // An absent or empty alpha leaves the slider at its initial 255: taken as 0, the first tick of
    // "Make Opaque" on a fresh install would make the taskbar, and the Start button with it, invisible.
    const Value hs1 = registry::ReadSetting(names::kHS1);
    const bool hs1_stored = !settings::StripTerminator(hs1.ToText()).empty();
    if (hs1_stored) {
        if (std::optional<int16_t> v = hs1.ToInt16()) hs1_copy_ = *v;
    }
    read_int16(names::kPX1, px1_copy_);
    read_int16(names::kPX2, px2_copy_);
    read_int16(names::kPY1, py1_copy_);
    const Value py2 = registry::ReadSetting(names::kPY2);
    const Value check = registry::ReadSetting(names::kCheck);
    const Value check_mt = registry::ReadSetting(names::kCheckMT);

    if (check.EqualsNumber(1)) Check2.SetValue(1);
    if (check_mt.EqualsNumber(1)) Check1.SetValue(1);
    Text1.SetText(label_copy_);

    if (hs1_stored) HScroll1.SetValue(hs1_copy_);
    HScroll2.SetValue(px1_copy_);
    if (px2_copy_ != 0) HScroll3.SetValue(px2_copy_);
    HScroll4.SetValue(py1_copy_);
    if (std::optional<double> n = py2.ToNumber(); n && *n != 0) {
        if (std::optional<int16_t> height = py2.ToInt16()) HScroll5.SetValue(*height);
    }

    PlaceStartButton();

    taskbar_ = FindTaskbar();
    start_button_ = FindStartButton(taskbar_);
    secondary_taskbars_ = FindSecondaryTaskbars();
    char label[kLabelBufferLength + 1] = {};
    if (start_button_) GetWindowTextA(start_button_, label, kLabelBufferLength);
    Text2.SetText(label);

    if (!minimized_) {
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
    }

    AddTrayIcon();  // a second add fails and leaves the one icon
    draw();

    // The X sliders reach as far as the screen is wide, measured as the customize window's
    // client width when its outer width is the screen's.
    customize::Form2& form2 = CustomizeWindow();
    form2.SetOuterWidth(GetSystemMetrics(SM_CXSCREEN));
    const int x_max = static_cast<int>(std::lround(static_cast<float>(form2.ClientWidthPixels()) + 10.0f));
    if (x_max >= -32768 && x_max <= 32767) {
        HScroll2.SetMax(x_max);
        HScroll3.SetMax(x_max);
    }
    form2.SetOuterWidth(win::TwipsToPixels(kForm2NormalWidthTwips, dpi_));
}

void Form1::PlaceStartButton() {
    app::PlaceStartButton(start_button_, taskbar_, HScroll2.Value(), HScroll4.Value(), HScroll3.Value(),
                          HScroll5.Value());
    for (const SecondaryTaskbar& extra : secondary_taskbars_)
        app::PlaceStartButton(extra.start_button, extra.taskbar, HScroll2.Value(), HScroll4.Value(),
                              HScroll3.Value(), HScroll5.Value());
}

void Form1::SetTaskbarAlpha(int16_t alpha) {
    Module2::SetWindowAlpha(taskbar_, alpha);
    for (const SecondaryTaskbar& extra : secondary_taskbars_) Module2::SetWindowAlpha(extra.taskbar, alpha);
}

void Form1::SetStartButtonLabel(const std::string& label) {
    SetWindowTextA(start_button_, label.c_str());
    for (const SecondaryTaskbar& extra : secondary_taskbars_) SetWindowTextA(extra.start_button, label.c_str());
}

}  // namespace app
