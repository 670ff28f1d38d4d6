#include "customize_window/customize_window.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "resources/resource.h"
#include "win/dpi.h"
#include "win/placement.h"
#include "win/system_function.h"
#include "win/text.h"

namespace customize_window {

namespace {

constexpr int kWindowWidthTwips = 4035;
constexpr int kClientWidthTwips = 3885, kClientHeightTwips = 2340;
constexpr int kToolbarHeightTwips = 600;
constexpr int kTextFrameX = 120, kTextFrameY = 840;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr COLORREF kToolbarMask = RGB(0xC0, 0xC0, 0xC0);

}  // namespace

namespace {

// The shape buttons in the toolbar's order, each with its command and its picture in the strip;
// a button's caption (and tool tip) is its shape's stored word.
struct ShapeButton {
    core::ShapeType shape;
    int command;
    int image;
};
constexpr ShapeButton kShapeButtons[] = {{core::ShapeType::kEllipse, kEllipseCommand, 0},
                                         {core::ShapeType::kRectangle, kRectangleCommand, 1},
                                         {core::ShapeType::kText, kTextCommand, 3}};

std::vector<controls::Toolbar::ButtonSpec> ShapeToolbarButtons() {
    std::vector<controls::Toolbar::ButtonSpec> buttons;
    for (const ShapeButton& button : kShapeButtons) {
        if (!buttons.empty()) buttons.push_back({"", -1, 0});  // a separator between two buttons
        buttons.push_back({core::ShapeTypeWord(button.shape), button.image, button.command});
    }
    return buttons;
}

}  // namespace

int CommandOf(core::ShapeType shape) {
    for (const ShapeButton& button : kShapeButtons)
        if (button.shape == shape) return button.command;
    return 0;
}

core::ShapeType ShapeOf(int command) {
    for (const ShapeButton& button : kShapeButtons)
        if (button.command == command) return button.shape;
    return core::ShapeType::kNone;
}

CustomizeWindow::CustomizeWindow(core::LookKeeper& keeper, FontDialog font_dialog)
    : keeper_(keeper), font_dialog_(std::move(font_dialog)) {}

int CustomizeWindow::FrameWidth(int dpi) {
    RECT frame{0, 0, win::TwipsToPixels(kClientWidthTwips, dpi), 0};
    if (!AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle)) return -1;
    return (frame.right - frame.left) - win::TwipsToPixels(kClientWidthTwips, dpi);
}

bool CustomizeWindow::Create() {
    SetDpi(win::NewWindowDpi());
    const RECT r = win::CenteredWindowRect(win::TwipsToPixels(kClientWidthTwips, dpi()),
                                           win::TwipsToPixels(kClientHeightTwips, dpi()), kStyle, kExStyle,
                                           win::TwipsToPixels(kWindowWidthTwips, dpi()));
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PELMORA),
                                               IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!CreateWindowOfClass(kCustomizeWindowClass, "Customize Window", kStyle, kExStyle, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, nullptr, icon))
        return false;

    const RECT placed_later{};  // by LayOut
    shape_toolbar_.Create(hwnd(), kShapeToolbar, win::TwipsToPixels(kToolbarHeightTwips, dpi()), IDB_TOOLBAR,
                          kToolbarMask, ShapeToolbarButtons());
    text_frame_.Create(hwnd(), placed_later, kTextFrame, "");
    outline_text_box_.Create(hwnd(), placed_later, kOutlineTextBox, "Start");
    outline_text_box_.SetMaxLength(kMaxOutlineTextLength);
    font_options_button_.Create(hwnd(), placed_later, kFontOptionsButton, "Font Options");
    LayOutAt(dpi());
    shape_toolbar_.ButtonClick = [this](int command) { OnShapeButtonClicked(command); };
    outline_text_box_.Change = [this] { OnOutlineTextChanged(); };
    font_options_button_.Click = [this] { OnFontOptionsClicked(); };
    ShowLook();
    return true;
}

void CustomizeWindow::LayOut() {
    auto at = [this](int l, int t, int w, int h, int ox = 0, int oy = 0) {
        return win::TwipsToClientRect({l, t, w, h}, dpi(), ox, oy);
    };
    RECT client{};
    GetClientRect(hwnd(), &client);
    MoveWindow(shape_toolbar_.hwnd(), 0, 0, client.right, win::TwipsToPixels(kToolbarHeightTwips, dpi()),
               TRUE);
    text_frame_.Move(at(kTextFrameX, kTextFrameY, 3735, 975));
    outline_text_box_.Move(at(120, 360, 2295, 375, kTextFrameX, kTextFrameY));
    font_options_button_.Move(at(2520, 360, 1095, 375, kTextFrameX, kTextFrameY));
}

void CustomizeWindow::Show() {
    ShowLook();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void CustomizeWindow::ShowLook() {
    const core::Look& look = keeper_.look();
    for (const ShapeButton& button : kShapeButtons)
        shape_toolbar_.SetButtonValue(button.command, button.shape == look.shape ? 1 : 0);
    SetTextFrameVisible(look.shape == core::ShapeType::kText);
    outline_text_box_.SetText(look.outline_text);
}

void CustomizeWindow::SetTextFrameVisible(bool visible) {
    text_frame_.SetVisible(visible);
    outline_text_box_.SetVisible(visible);
    font_options_button_.SetVisible(visible);
}

void CustomizeWindow::OnShapeButtonClicked(int command) {
    // A click on the pressed button releases it; the look's shape is pressed again, alone.
    if (const core::ShapeType shape = ShapeOf(command); shape != core::ShapeType::kNone)
        keeper_.Handle(core::ShapeChosen{shape});
    Show();
}

void CustomizeWindow::OnOutlineTextChanged() {
    keeper_.Handle(core::OutlineTextTyped{outline_text_box_.Text()});
}

void CustomizeWindow::OnFontOptionsClicked() {
    const FontAttributes last = keeper_.font_dialog();
    FontAttributes chosen = last;
    // Cancel is not told apart from OK: after a cancel the dialog's values are those of its last use.
    if (!font_dialog_ || !font_dialog_(hwnd(), last, chosen)) chosen = last;
    keeper_.Handle(core::FontPicked{chosen});
}

LRESULT CustomizeWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ACTIVATE:
            // Another tool may have stored another shape while the window was in the background.
            if (LOWORD(wp) != WA_INACTIVE) ShowLook();
            break;
        case WM_CLOSE:
            ShowWindow(hwnd(), SW_HIDE);
            return 0;
        default:
            break;
    }
    return Form::OnMessage(msg, wp, lp);
}

bool ShowSystemFontDialog(HWND owner, const FontAttributes& last, FontAttributes& chosen) {
    // A copy: some systems write the record even when the user cancels.
    LOGFONTW font;
    {
        win::unique_hdc_window screen(nullptr);
        font = core::LogFontOf(last, GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &font;
    cf.Flags = CF_SCREENFONTS | (last.name.empty() ? 0 : CF_INITTOLOGFONTSTRUCT);
    // The font dialog's DLL is loaded the first time it is asked for, not at every start.
    using ChooseFontFn = BOOL(WINAPI*)(CHOOSEFONTW*);
    const auto choose_font = win::SystemFunction<ChooseFontFn>("comdlg32.dll", "ChooseFontW");
    if (!choose_font || !choose_font(&cf)) return false;
    chosen.name = win::Utf8(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
    chosen.size = static_cast<float>(cf.iPointSize) / 10.0f;
    chosen.bold = font.lfWeight >= FW_BOLD;
    chosen.italic = font.lfItalic != 0;
    chosen.strikethrough = font.lfStrikeOut != 0;
    chosen.underline = font.lfUnderline != 0;
    return true;
}

}  // namespace customize_window
