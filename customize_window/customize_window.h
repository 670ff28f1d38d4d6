// The customize window: an editor of the outline's part of the look (the shape, the text of a
// text-shaped outline and its font). Made the first time the user opens it and kept until the
// program ends; closing it only hides it. It stores and applies nothing itself: it tells the
// look's owner what the user chose, and shows the look it holds.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/controls.h"
#include "controls/form.h"
#include "controls/toolbar.h"
#include "core/look_keeper.h"
#include "look/shape.h"
#include "look/outline_font.h"
#include "win/window.h"

namespace customize_window {

constexpr const char* kCustomizeWindowClass = "Pelmora.CustomizeWindow";
using core::FontAttributes;
using core::kMaxOutlineTextLength;

// The identifiers of the window's controls (GetDlgItem finds them).
enum ControlId : int {
    kShapeToolbar = 3000,
    kTextFrame = 3101,
    kOutlineTextBox = 3102,
    kFontOptionsButton = 3103
};

// The shape buttons' command identifiers.
constexpr int kEllipseCommand = 3001, kRectangleCommand = 3003, kTextCommand = 3005;
int CommandOf(core::ShapeType shape);
// The shape a command chooses; none for another command.
core::ShapeType ShapeOf(int command);

// The font dialog: true for OK, with `chosen` filled; tests stand their own in.
using FontDialog = std::function<bool(HWND owner, const FontAttributes& last, FontAttributes& chosen)>;

class CustomizeWindow : public controls::Form {
  public:
    CustomizeWindow(core::LookKeeper& keeper, FontDialog font_dialog);

    // Creates the window hidden, showing the look; false when it could not be created.
    bool Create();
    // Shows the window in front, with the look's shape pressed.
    void Show();
    // The width of the window's frame at a DPI: its outer width less its client width.
    static int FrameWidth(int dpi);

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LayOut() override;

  private:
    // Makes the controls show the look: its shape's button pressed alone (none for no shape), the
    // text frame while the shape is the text, the outline text in its box.
    void ShowLook();
    void OnShapeButtonClicked(int command);
    void OnOutlineTextChanged();
    void OnFontOptionsClicked();
    void SetTextFrameVisible(bool visible);

    controls::Toolbar shape_toolbar_;
    controls::Frame text_frame_;
    controls::TextBox outline_text_box_;
    controls::Button font_options_button_;
    core::LookKeeper& keeper_;
    FontDialog font_dialog_;
};

// ChooseFontW listing the screen fonts, starting from the last values. Cancel leaves `chosen` alone.
bool ShowSystemFontDialog(HWND owner, const FontAttributes& last, FontAttributes& chosen);

}  // namespace customize_window
