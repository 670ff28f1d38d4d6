#include "customize/form2.h"

#include <commdlg.h>

#include "app/resource.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "win/dpi.h"
#include "win/placement.h"
#include "win/system_function.h"

namespace customize {

namespace {

constexpr int kWindowWidthTwips = 4035;
constexpr int kClientWidthTwips = 3885, kClientHeightTwips = 2340;
constexpr int kToolbarHeightTwips = 600;
constexpr int kFrame1X = 120, kFrame1Y = 840;
constexpr int kToolbarIdBase = 3000;
constexpr int kIdFrame1 = 3101, kIdText1 = 3102, kIdCommand2 = 3103;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr COLORREF kToolbarMask = RGB(0xC0, 0xC0, 0xC0);

}  // namespace

Form2::Form2(shaping::SharedShape& shape, std::function<void()> shape_application)
    : shape_(shape), shape_application_(std::move(shape_application)) {
    ShowFontDialog = ShowSystemFontDialog;
}

bool Form2::Create() {
    dpi_ = win::ScreenDpi();
    const RECT r = win::CenteredWindowRect(win::TwipsToPixels(kClientWidthTwips, dpi_),
                                           win::TwipsToPixels(kClientHeightTwips, dpi_), kStyle, kExStyle,
                                           win::TwipsToPixels(kWindowWidthTwips, dpi_));
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                               0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!CreateWindowOfClass(kForm2Class, "Customize Window", kStyle, kExStyle, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, nullptr, icon))
        return false;

    auto at = [this](int l, int t, int w, int h, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, w, h}, dpi_, ox, oy);
    };
    Toolbar1.Create(hwnd(), kToolbarIdBase, win::TwipsToPixels(kToolbarHeightTwips, dpi_), IDB_TOOLBAR, kToolbarMask,
                    {{"Ellipse", 0}, {"", -1}, {"Rectangle", 1}, {"", -1}, {"Text", 3}});
    RECT client{};
    GetClientRect(hwnd(), &client);
    MoveWindow(Toolbar1.hwnd(), 0, 0, client.right, win::TwipsToPixels(kToolbarHeightTwips, dpi_), FALSE);
    Frame1.Create(hwnd(), at(kFrame1X, kFrame1Y, 3735, 975), kIdFrame1, "");
    Text1.Create(hwnd(), at(120, 360, 2295, 375, kFrame1X, kFrame1Y), kIdText1, "Start");
    Text1.SetMaxLength(kMaxOutlineTextLength);
    Command2.Create(hwnd(), at(2520, 360, 1095, 375, kFrame1X, kFrame1Y), kIdCommand2, "Font Options");
    host_.Add(Frame1);
    host_.Add(Text1);
    host_.Add(Command2);
    Text1.Change = [this] { Text1_Change(); };
    Command2.Click = [this] { Command2_Click(); };
    SetFrame1Visible(false);

    win::unique_hdc_window screen(hwnd());
    dc_.Create(screen.get());
    RebuildFont();
    return true;
}

void Form2::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void Form2::SetOuterWidth(int pixels) {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    if (r.right - r.left == pixels) return;  // the shape methods set it on every application
    SetWindowPos(hwnd(), nullptr, 0, 0, pixels, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form2::ClientWidthPixels() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return r.right - r.left;
}

void Form2::SetFrame1Visible(bool visible) {
    Frame1.SetVisible(visible);
    Text1.SetVisible(visible);
    Command2.SetVisible(visible);
}

void Form2::ApplyShapeMethodCommon(uint8_t show, bool frame_visible, int release_a, int release_b) {
    SetFrame1Visible(frame_visible);
    SetOuterWidth(win::TwipsToPixels(kWindowWidthTwips, dpi_));
    if (show == 1) Show();
    Toolbar1.SetButtonValue(release_a, 0);
    Toolbar1.SetButtonValue(release_b, 0);
}

void Form2::Ellipse2(uint8_t show) {
    registry::WriteSetting(names::kType, settings::Value::Text("Ellipse"));
    const shaping::OutlineBox& box = shape_.outline_box;
    shape_.region.Replace(CreateEllipticRgn(0, 0, box.width, box.height));
    ApplyShapeMethodCommon(show, false, 3, 5);
}

void Form2::Rectangle2(uint8_t show) {
    registry::WriteSetting(names::kType, settings::Value::Text("Rectangle"));
    const shaping::OutlineBox& box = shape_.outline_box;
    shape_.region.Replace(CreateRectRgn(0, 0, box.width, box.height));
    ApplyShapeMethodCommon(show, false, 1, 5);
}

void Form2::Text2(uint8_t show) {
    registry::WriteSetting(names::kType, settings::Value::Text("Text"));
    ApplyShapeMethodCommon(show, true, 1, 3);
    TextDraw();
}

void Form2::Toolbar1_ButtonClick(int index) {
    const std::string key = Toolbar1.ButtonKey(index);
    if (key == "Ellipse")
        Ellipse2(1);
    else if (key == "Rectangle")
        Rectangle2(1);
    else if (key == "Text")
        Text2(1);
    if (shape_application_) shape_application_();
    // A click that released the only pressed button leaves one shown pressed.
    for (int i = 1; i <= 5; ++i)
        if (Toolbar1.ButtonValue(i) == 1) return;
    Toolbar1.SetButtonValue(1, 1);
}

void Form2::Text1_Change() {
    registry::WriteSetting(names::kText2, settings::Value::Text(Text1.Text()));
    TextDraw();
}

void Form2::Command2_Click() {
    FontDialogState chosen = CD;
    // Cancel is not told apart from OK: after a cancel the dialog's values are those of its last use.
    if (ShowFontDialog && ShowFontDialog(hwnd(), CD, chosen)) CD = chosen;
    FontPicked = true;
    if (!CD.name.empty())
        LastFontName = CD.name;
    else if (LastFontName.empty())
        LastFontName = "Arial";
    using settings::Value;
    registry::WriteSetting(names::kText2, Value::Text(Text1.Text()));
    registry::WriteSetting(names::kNFont, Value::Text(LastFontName));
    registry::WriteSetting(names::kSFont, Value::Single(CD.size));
    registry::WriteSetting(names::kBFont, Value::Bool(CD.bold));
    registry::WriteSetting(names::kIFont, Value::Bool(CD.italic));
    registry::WriteSetting(names::kKFont, Value::Bool(CD.strikethrough));
    registry::WriteSetting(names::kUFont, Value::Bool(CD.underline));
    TextDraw();
}

void Form2::Form_Unload() { ShowWindow(hwnd(), SW_HIDE); }

LRESULT Form2::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lp) == Toolbar1.hwnd() && Toolbar1.hwnd()) {
                if (int index = Toolbar1.IndexOfCommand(LOWORD(wp))) Toolbar1_ButtonClick(index);
                return 0;
            }
            host_.Forward(msg, wp, lp);
            return 0;
        case WM_NOTIFY:
            if (Toolbar1.OnNotify(reinterpret_cast<NMHDR*>(lp))) return 0;
            break;
        case WM_CLOSE:
            Form_Unload();
            return 0;
        default:
            break;
    }
    return win::Window::HandleMessage(msg, wp, lp);
}

bool ShowSystemFontDialog(HWND owner, const FontDialogState& last, FontDialogState& chosen) {
    // A copy: some systems write the record even when the user cancels.
    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, last.name.c_str(), LF_FACESIZE);
    {
        win::unique_hdc_window screen(nullptr);
        font.lfHeight =
            -MulDiv(static_cast<int>(last.size * 10 + 0.5f), GetDeviceCaps(screen.get(), LOGPIXELSY), 720);
    }
    font.lfWeight = last.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = last.italic;
    font.lfStrikeOut = last.strikethrough;
    font.lfUnderline = last.underline;
    font.lfCharSet = DEFAULT_CHARSET;
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &font;
    cf.Flags = CF_SCREENFONTS | (last.name.empty() ? 0 : CF_INITTOLOGFONTSTRUCT);
    // The font dialog's DLL is loaded the first time it is asked for, not at every start.
    using ChooseFontFn = BOOL(WINAPI*)(CHOOSEFONTA*);
    const auto choose_font = win::SystemFunction<ChooseFontFn>("comdlg32.dll", "ChooseFontA");
    if (!choose_font || !choose_font(&cf)) return false;
    chosen.name = font.lfFaceName;
    chosen.size = static_cast<float>(cf.iPointSize) / 10.0f;
    chosen.bold = font.lfWeight >= FW_BOLD;
    chosen.italic = font.lfItalic != 0;
    chosen.strikethrough = font.lfStrikeOut != 0;
    chosen.underline = font.lfUnderline != 0;
    return true;
}

}  // namespace customize
