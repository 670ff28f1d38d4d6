// The main window's controls and pictures, and their places in twips at any DPI.
#include "main_window/main_window.h"
#include "resources/resource.h"
#include "win/dpi.h"

namespace main_window {

namespace {

// Containers, in the window's twips.
constexpr int kXFrameX = kControlsFrameX + 120, kXFrameY = kControlsFrameY + 1560;
constexpr int kYFrameX = kControlsFrameX + 120, kYFrameY = kControlsFrameY + 2640;

}  // namespace

void MainWindow::CreateControls() {
    HWND w = hwnd();
    const RECT placed_later{};  // by LayOut

    // Created in tab order, which is also the order in which they overlap.
    new_label_box_.Create(w, placed_later, kNewLabelBox, "start");
    // As long as a label the Start button gives back (its text is read into 255 characters).
    new_label_box_.SetMaxLength(kMaxLabelLength);
    controls_frame_.Create(w, placed_later, kControlsFrame, "");
    current_label_caption_.Create(w, 0, 0, kCurrentLabelCaption, "Start Button's Label:");
    new_label_caption_.Create(w, 0, 0, kNewLabelCaption, "New Label:");
    current_label_box_.Create(w, placed_later, kCurrentLabelBox, "", true);
    make_opaque_box_.Create(w, placed_later, kMakeOpaqueBox, "Make Opaque");
    // Each slider starts at its range and the look's value; small and large steps are its own.
    const core::SliderRanges& ranges = keeper_->slider_ranges();
    const core::Look& look = keeper_->look();
    auto range = [](const core::SliderRange& r, int value, int small_change, int large_change) {
        return controls::ScrollBar::Range{r.min, r.max, value, small_change, large_change};
    };
    transparency_slider_.Create(w, placed_later, kTransparencySlider, range(ranges.alpha, look.alpha, 1, 5));
    transparency_slider_.SetVisible(false);
    startup_box_.Create(w, placed_later, kStartupBox, "Startup");
    x_frame_.Create(w, placed_later, kXFrame, "X Positions");
    width_slider_.Create(w, placed_later, kWidthSlider, range(ranges.width, look.placement.width, 1, 5));
    x_slider_.Create(w, placed_later, kXSlider, range(ranges.x, look.placement.x, 1, 10));
    y_frame_.Create(w, placed_later, kYFrame, "Y Positions");
    y_slider_.Create(w, placed_later, kYSlider, range(ranges.y, look.placement.y, 1, 10));
    height_slider_.Create(w, placed_later, kHeightSlider, range(ranges.height, look.placement.height, 1, 5));
    about_button_.Create(w, placed_later, kAboutButton, "About");

    // Each control's input is one edit of the look; the keeper answers with what to show.
    using core::LookField;
    auto edit = [this](LookField field, int value) { Show(keeper_->Handle(core::LookEdit{field, value})); };
    make_opaque_box_.Click = [this, edit] { edit(LookField::kMakeOpaque, make_opaque_box_.Value() == 1); };
    startup_box_.Click = [this, edit] { edit(LookField::kAutostart, startup_box_.Value() == 1); };
    transparency_slider_.Change = [this, edit] { edit(LookField::kAlpha, transparency_slider_.Value()); };
    x_slider_.Change = [this, edit] { edit(LookField::kX, x_slider_.Value()); };
    width_slider_.Change = [this, edit] { edit(LookField::kWidth, width_slider_.Value()); };
    y_slider_.Change = [this, edit] { edit(LookField::kY, y_slider_.Value()); };
    height_slider_.Change = [this, edit] { edit(LookField::kHeight, height_slider_.Value()); };
    about_button_.Click = [this] { OnAboutClicked(); };
    apply_label_picture_.Click = [this] { OnApplyLabelClicked(); };
    customize_picture_.Click = [this] { OnCustomizeClicked(); };
    new_label_box_.Change = [this] { OnLabelTyped(); };
    reapply_timer_.Tick = [this] { keeper_->Handle(core::Tick{}); };
    // The pictures that take clicks, the timer and the notification-area menu's items.
    host().Add(customize_picture_);
    host().Add(apply_label_picture_);
    host().Add(reapply_timer_);
    host().AddCommand(kMenuRestore, [this] { OnRestoreChosen(); });
    host().AddCommand(kMenuExit, [this] { OnExitChosen(); });
    host().AddCommand(kMenuPause, [this] { OnPauseChosen(); });
    host().AddCommand(kMenuSaveLook, [this] { OnSaveLookChosen(); });
    host().AddCommand(kMenuOpenLook, [this] { OnOpenLookChosen(); });

    LoadPictures();
}

void MainWindow::LoadPictures() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto bitmap = [instance](int id) {
        return static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    };
    background_.reset(bitmap(IDB_BACKGROUND));
    apply_label_.reset(bitmap(IDB_APPLY_LABEL));
    customize_bitmap_.reset(bitmap(IDB_CUSTOMIZE));
    side_panel_icon_.reset(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SIDE_PANEL), IMAGE_ICON, 64, 64, 0)));
    frame_brush_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
}

void MainWindow::LayOut() {
    auto at = [this](int l, int t, int width, int height, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, width, height}, dpi(), ox, oy);
    };
    auto point = [this](int twips) { return win::TwipsToPixels(twips, dpi()); };

    new_label_box_.Move(at(2880, 540, 975, 285));
    controls_frame_.Move(at(1200, 0, 3495, 4095));
    current_label_caption_.Place(point(kControlsFrameX + 120), point(kControlsFrameY + 240));
    new_label_caption_.Place(point(kControlsFrameX + 120), point(kControlsFrameY + 600));
    current_label_box_.Move(at(1680, 180, 975, 285, kControlsFrameX, kControlsFrameY));
    make_opaque_box_.Move(at(120, 840, 1335, 255, kControlsFrameX, kControlsFrameY));
    transparency_slider_.Move(at(1920, 900, 1455, 255, kControlsFrameX, kControlsFrameY));
    startup_box_.Move(at(2040, 1280, 1215, 195, kControlsFrameX, kControlsFrameY));
    x_frame_.Move(at(120, 1560, 3255, 855, kControlsFrameX, kControlsFrameY));
    width_slider_.Move(at(1680, 360, 1455, 255, kXFrameX, kXFrameY));
    x_slider_.Move(at(120, 360, 1455, 255, kXFrameX, kXFrameY));
    y_frame_.Move(at(120, 2640, 3255, 855, kControlsFrameX, kControlsFrameY));
    y_slider_.Move(at(120, 360, 1455, 255, kYFrameX, kYFrameY));
    height_slider_.Move(at(1680, 360, 1455, 255, kYFrameX, kYFrameY));
    about_button_.Move(at(0, 0, 1150, 315));

    using Fit = controls::Picture::Fit;
    background_picture_.Set(background_.get(), IMAGE_BITMAP, at(0, 0, 4080, 1800), Fit::kStretch);
    side_panel_picture_.Set(side_panel_icon_.get(), IMAGE_ICON, at(60, 120, 1080, 3960), Fit::kStretch);
    frame_background_picture_.Set(background_.get(), IMAGE_BITMAP,
                                  at(90, 120, 3315, 3930, kControlsFrameX, kControlsFrameY), Fit::kStretch);
    apply_label_picture_.Set(apply_label_.get(), IMAGE_BITMAP,
                             win::TwipsToClientRect(kApplyLabelPicture, dpi()), Fit::kStretch);
    // Drawn at the control's size: at 96 DPI that is the picture's own 212 x 30 pixels, and at other
    // resolutions the picture grows with the layout instead of shrinking inside it.
    customize_picture_.Set(customize_bitmap_.get(), IMAGE_BITMAP,
                           win::TwipsToClientRect(kCustomizePicture, dpi()), Fit::kStretch);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void MainWindow::Paint() {
    win::unique_hdc_paint paint(hwnd());
    HDC dc = paint.get();
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, frame_brush_.get());
    // Back to front: the window's background and side panel, then the frame's own surface with
    // its background and the two action pictures.
    background_picture_.Paint(dc);
    side_panel_picture_.Paint(dc);
    const RECT frame = win::TwipsToClientRect({kControlsFrameX, kControlsFrameY, 3495, 4095}, dpi());
    FillRect(dc, &frame, frame_brush_.get());
    frame_background_picture_.Paint(dc);
    apply_label_picture_.Paint(dc);
    customize_picture_.Paint(dc);
}

}  // namespace main_window
