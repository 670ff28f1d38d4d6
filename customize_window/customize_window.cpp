#include "customize_window/customize_window.h"

#include <commdlg.h>

#include "resources/resource.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "win/dpi.h"
#include "win/placement.h"
#include "win/system_function.h"

namespace customize_window {

namespace {

constexpr int kWindowWidthTwips = 4035;
constexpr int kClientWidthTwips = 3885, kClientHeightTwips = 2340;
constexpr int kToolbarHeightTwips = 600;
constexpr int kTextFrameX = 120, kTextFrameY = 840;
constexpr int kToolbarIdBase = 3000;
constexpr int kIdTextFrame = 3101, kIdOutlineTextBox = 3102, kIdFontOptionsButton = 3103;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr COLORREF kToolbarMask = RGB(0xC0, 0xC0, 0xC0);

}  // namespace

CustomizeWindow::CustomizeWindow(core::SharedOutline& shape, std::function<void()> shape_application)
    : shape_(shape), shape_application_(std::move(shape_application)) {
    ShowFontDialog = ShowSystemFontDialog;
}

bool CustomizeWindow::Create() {
    dpi_ = win::ScreenDpi();
    const RECT r = win::CenteredWindowRect(win::TwipsToPixels(kClientWidthTwips, dpi_),
                                           win::TwipsToPixels(kClientHeightTwips, dpi_), kStyle, kExStyle,
                                           win::TwipsToPixels(kWindowWidthTwips, dpi_));
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON,
                                               0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!CreateWindowOfClass(kCustomizeWindowClass, "Customize Window", kStyle, kExStyle, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, nullptr, icon))
        return false;

    auto at = [this](int l, int t, int w, int h, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, w, h}, dpi_, ox, oy);
    };
    shape_toolbar.Create(hwnd(), kToolbarIdBase, win::TwipsToPixels(kToolbarHeightTwips, dpi_), IDB_TOOLBAR, kToolbarMask,
                    {{"Ellipse", 0}, {"", -1}, {"Rectangle", 1}, {"", -1}, {"Text", 3}});
    RECT client{};
    GetClientRect(hwnd(), &client);
    MoveWindow(shape_toolbar.hwnd(), 0, 0, client.right, win::TwipsToPixels(kToolbarHeightTwips, dpi_), FALSE);
    text_frame.Create(hwnd(), at(kTextFrameX, kTextFrameY, 3735, 975), kIdTextFrame, "");
    outline_text_box.Create(hwnd(), at(120, 360, 2295, 375, kTextFrameX, kTextFrameY), kIdOutlineTextBox, "Start");
    outline_text_box.SetMaxLength(kMaxOutlineTextLength);
    font_options_button.Create(hwnd(), at(2520, 360, 1095, 375, kTextFrameX, kTextFrameY), kIdFontOptionsButton, "Font Options");
    host_.Add(shape_toolbar);
    shape_toolbar.ButtonClick = [this](int index) { OnShapeButtonClicked(index); };
    host_.Add(text_frame);
    host_.Add(outline_text_box);
    host_.Add(font_options_button);
    outline_text_box.Change = [this] { OnOutlineTextChanged(); };
    font_options_button.Click = [this] { OnFontOptionsClicked(); };
    SetTextFrameVisible(false);

    win::unique_hdc_window screen(hwnd());
    outliner_.Create(screen.get());
    return true;
}

void CustomizeWindow::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void CustomizeWindow::SetOuterWidth(int pixels) {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    if (r.right - r.left == pixels) return;  // the shape methods set it on every application
    SetWindowPos(hwnd(), nullptr, 0, 0, pixels, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CustomizeWindow::ClientWidthPixels() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return r.right - r.left;
}

void CustomizeWindow::SetTextFrameVisible(bool visible) {
    text_frame.SetVisible(visible);
    outline_text_box.SetVisible(visible);
    font_options_button.SetVisible(visible);
}

void CustomizeWindow::AfterShapeChosen(uint8_t show, bool text_frame_visible, int release_a, int release_b) {
    SetTextFrameVisible(text_frame_visible);
    SetOuterWidth(win::TwipsToPixels(kWindowWidthTwips, dpi_));
    if (show == 1) Show();
    shape_toolbar.SetButtonValue(release_a, 0);
    shape_toolbar.SetButtonValue(release_b, 0);
}

void CustomizeWindow::ChooseEllipse(uint8_t show) {
    registry::WriteSetting(names::kShapeType, settings::Value::Text("Ellipse"));
    shape_.region.Replace(core::BuildBoxOutline(core::ShapeType::kEllipse, shape_.box));
    AfterShapeChosen(show, false, kRectangleButton, kTextButton);
}

void CustomizeWindow::ChooseRectangle(uint8_t show) {
    registry::WriteSetting(names::kShapeType, settings::Value::Text("Rectangle"));
    shape_.region.Replace(core::BuildBoxOutline(core::ShapeType::kRectangle, shape_.box));
    AfterShapeChosen(show, false, kEllipseButton, kTextButton);
}

void CustomizeWindow::ChooseText(uint8_t show) {
    registry::WriteSetting(names::kShapeType, settings::Value::Text("Text"));
    AfterShapeChosen(show, true, kEllipseButton, kRectangleButton);
    BuildTextOutline();
}

void CustomizeWindow::OnShapeButtonClicked(int index) {
    const std::string key = shape_toolbar.ButtonKey(index);
    if (key == "Ellipse")
        ChooseEllipse(1);
    else if (key == "Rectangle")
        ChooseRectangle(1);
    else if (key == "Text")
        ChooseText(1);
    if (shape_application_) shape_application_();
    // A click that released the only pressed button leaves one shown pressed.
    for (int i = kEllipseButton; i <= kTextButton; ++i)
        if (shape_toolbar.ButtonValue(i) == 1) return;
    shape_toolbar.SetButtonValue(kEllipseButton, 1);
}

void CustomizeWindow::OnOutlineTextChanged() {
    registry::WriteSetting(names::kOutlineText, settings::Value::Text(outline_text_box.Text()));
    BuildTextOutline();
}

void CustomizeWindow::OnFontOptionsClicked() {
    FontDialogState chosen = font_dialog;
    // Cancel is not told apart from OK: after a cancel the dialog's values are those of its last use.
    if (ShowFontDialog && ShowFontDialog(hwnd(), font_dialog, chosen)) font_dialog = chosen;
    font_picked = true;
    if (!font_dialog.name.empty())
        last_font_name = font_dialog.name;
    else if (last_font_name.empty())
        last_font_name = "Arial";
    using settings::Value;
    registry::WriteSetting(names::kOutlineText, Value::Text(outline_text_box.Text()));
    registry::WriteSetting(names::kFontFace, Value::Text(last_font_name));
    registry::WriteSetting(names::kFontSize, Value::Single(font_dialog.size));
    registry::WriteSetting(names::kFontBold, Value::Bool(font_dialog.bold));
    registry::WriteSetting(names::kFontItalic, Value::Bool(font_dialog.italic));
    registry::WriteSetting(names::kFontStrikethrough, Value::Bool(font_dialog.strikethrough));
    registry::WriteSetting(names::kFontUnderline, Value::Bool(font_dialog.underline));
    BuildTextOutline();
}

void CustomizeWindow::OnCloseRequest() { ShowWindow(hwnd(), SW_HIDE); }

LRESULT CustomizeWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
            if (host_.Forward(msg, wp, lp)) return 0;
            break;
        case WM_CLOSE:
            OnCloseRequest();
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

}  // namespace customize_window
