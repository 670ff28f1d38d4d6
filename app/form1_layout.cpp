// The main window's controls, at their places in twips, and its pictures.
#include "app/form1.h"
#include "app/resource.h"
#include "win/dpi.h"

namespace app {

namespace {

// Containers, in the window's twips.
constexpr int kFrame1X = 1200, kFrame1Y = 0;
constexpr int kFrame2X = kFrame1X + 120, kFrame2Y = kFrame1Y + 1560;
constexpr int kFrame3X = kFrame1X + 120, kFrame3Y = kFrame1Y + 2640;

enum ControlId : int {
    kIdText1 = 1001,
    kIdFrame1,
    kIdLabel2,
    kIdLabel3,
    kIdText2,
    kIdCheck1,
    kIdCheck2,
    kIdFrame2,
    kIdFrame3,
    kIdCommand1,
};

}  // namespace

void Form1::CreateControls() {
    HWND w = hwnd();
    auto at = [this](int l, int t, int width, int height, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, width, height}, dpi_, ox, oy);
    };
    auto point = [this](int twips) { return win::TwipsToPixels(twips, dpi_); };

    // Created in tab order, which is also the order in which they overlap.
    Text1.Create(w, at(2880, 540, 975, 285), kIdText1, "start");
    // As long as a label the Start button gives back (its text is read into 255 characters).
    Text1.SetMaxLength(kMaxLabelLength);
    Frame1.Create(w, at(1200, 0, 3495, 4095), kIdFrame1, "");
    Label2.Create(w, point(kFrame1X + 120), point(kFrame1Y + 240), kIdLabel2, "Start Button's Label:");
    Label3.Create(w, point(kFrame1X + 120), point(kFrame1Y + 600), kIdLabel3, "New Label:");
    Text2.Create(w, at(1680, 180, 975, 285, kFrame1X, kFrame1Y), kIdText2, "", true);
    Check1.Create(w, at(120, 840, 1335, 255, kFrame1X, kFrame1Y), kIdCheck1, "Make Opaque");
    HScroll1.Create(w, at(1920, 900, 1455, 255, kFrame1X, kFrame1Y), 0, {0, 255, 255, 1, 5});
    HScroll1.SetVisible(false);
    Check2.Create(w, at(2040, 1280, 1215, 195, kFrame1X, kFrame1Y), kIdCheck2, "Startup");
    Frame2.Create(w, at(120, 1560, 3255, 855, kFrame1X, kFrame1Y), kIdFrame2, "X Positions");
    HScroll3.Create(w, at(1680, 360, 1455, 255, kFrame2X, kFrame2Y), 0, {0, 2500, 100, 1, 5});
    HScroll2.Create(w, at(120, 360, 1455, 255, kFrame2X, kFrame2Y), 0, {0, 2000, 0, 1, 10});
    Frame3.Create(w, at(120, 2640, 3255, 855, kFrame1X, kFrame1Y), kIdFrame3, "Y Positions");
    HScroll4.Create(w, at(120, 360, 1455, 255, kFrame3X, kFrame3Y), 0, {0, 100, 0, 1, 10});
    HScroll5.Create(w, at(1680, 360, 1455, 255, kFrame3X, kFrame3Y), 0, {0, 100, 32, 1, 5});
    Command1.Create(w, at(0, 0, 1150, 315), kIdCommand1, "About");

    for (controls::Control* c : std::initializer_list<controls::Control*>{
             &Text1, &Frame1, &Label2, &Label3, &Text2, &Check1, &HScroll1, &Check2, &Frame2, &HScroll3, &HScroll2,
             &Frame3, &HScroll4, &HScroll5, &Command1})
        host_.Add(*c);

    Check1.Click = [this] { Check1_Click(); };
    Check2.Click = [this] { Check2_Click(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    HScroll2.Change = [this] { HScroll2_Change(); };
    HScroll3.Change = [this] { HScroll3_Change(); };
    HScroll4.Change = [this] { HScroll4_Change(); };
    HScroll5.Change = [this] { HScroll5_Change(); };
    Command1.Click = [this] { Command1_Click(); };
    Image4.Click = [this] { Image4_Click(); };
    Image5.Click = [this] { Image5_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };

    LoadPictures();
}

void Form1::LoadPictures() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto bitmap = [instance](int id) {
        return static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    };
    background_.reset(bitmap(IDB_BACKGROUND));
    apply_label_.reset(bitmap(IDB_APPLY_LABEL));
    customize_.reset(bitmap(IDB_CUSTOMIZE));
    side_panel_icon_.reset(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SIDE_PANEL), IMAGE_ICON, 64, 64, 0)));

    auto at = [this](int l, int t, int width, int height, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, width, height}, dpi_, ox, oy);
    };
    using Fit = controls::Picture::Fit;
    Image2.Set(background_.get(), IMAGE_BITMAP, at(0, 0, 4080, 1800), Fit::kStretch);
    Image1.Set(side_panel_icon_.get(), IMAGE_ICON, at(60, 120, 1080, 3960), Fit::kStretch);
    Image3.Set(background_.get(), IMAGE_BITMAP, at(90, 120, 3315, 3930, kFrame1X, kFrame1Y), Fit::kStretch);
    Image4.Set(apply_label_.get(), IMAGE_BITMAP, at(120, 1140, 1740, 435, kFrame1X, kFrame1Y), Fit::kStretch);
    // Drawn at the control's size: at 96 DPI that is the picture's own 212 x 30 pixels, and at other
    // resolutions the picture grows with the layout instead of shrinking inside it.
    Image5.Set(customize_.get(), IMAGE_BITMAP, at(120, 3480, 3180, 450, kFrame1X, kFrame1Y), Fit::kStretch);
    frame_brush_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
}

void Form1::Paint() {
    win::unique_hdc_paint paint(hwnd());
    HDC dc = paint.get();
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, frame_brush_.get());
    // Back to front: the window's background and side panel, then the frame's own surface with
    // its background and the two action pictures.
    Image2.Paint(dc);
    Image1.Paint(dc);
    const RECT frame = win::TwipsToClientRect({kFrame1X, kFrame1Y, 3495, 4095}, dpi_);
    FillRect(dc, &frame, frame_brush_.get());
    Image3.Paint(dc);
    Image4.Paint(dc);
    Image5.Paint(dc);
}

const controls::Picture* Form1::PictureAt(POINT pt) const {
    if (Image5.Contains(pt)) return &Image5;
    if (Image4.Contains(pt)) return &Image4;
    return nullptr;
}

}  // namespace app
