// The customize window: the shape toolbar, the outline's text and its font. Created hidden on
// first use and kept until the program ends; closing it only hides it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/controls.h"
#include "controls/toolbar.h"
#include "core/shape.h"
#include "core/text_outline.h"
#include "win/handles.h"
#include "win/window.h"

namespace customize_window {

constexpr const char* kCustomizeWindowClass = "Pelmora.Form2";
using core::FontAttributes;
using core::FontDialogState;
using core::kMaxOutlineTextLength;

// The shape buttons by their place on the toolbar; separators count.
constexpr int kEllipseButton = 1, kRectangleButton = 3, kTextButton = 5;

class CustomizeWindow : public win::Window {
public:
    // `shape_application` is the main window's shape application.
    CustomizeWindow(core::SharedOutline& shape, std::function<void()> shape_application);

    bool Create();
    void Show();
    void SetOuterWidth(int pixels);
    int ClientWidthPixels() const;

    void ChooseEllipse(uint8_t show);
    void ChooseRectangle(uint8_t show);
    void ChooseText(uint8_t show);
    void BuildTextOutline();

    void OnShapeButtonClicked(int index);
    void OnOutlineTextChanged();
    void OnFontOptionsClicked();
    void OnCloseRequest();

    // The font dialog; tests put a stand-in here. It returns true for OK, and fills `chosen`.
    std::function<bool(HWND owner, const FontDialogState& last, FontDialogState& chosen)> ShowFontDialog;

    controls::Toolbar shape_toolbar;
    controls::Frame text_frame;
    controls::TextBox outline_text_box;
    controls::Button font_options_button;
    bool font_picked = false;
    std::string last_font_name;
    FontDialogState font_dialog;
    const FontAttributes& Font() const { return font_; }
    int TextOutlineRuns() const { return text_outline_runs_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void SetTextFrameVisible(bool visible);
    void AfterShapeChosen(uint8_t show, bool text_frame_visible, int release_a, int release_b);

    core::SharedOutline& shape_;
    std::function<void()> shape_application_;
    controls::ControlHost host_;
    int dpi_ = 96;
    FontAttributes font_;  // what the last outline was drawn with
    // The window's private drawing context: the same font stays selected between outlines.
    core::TextOutliner outliner_;
    int text_outline_runs_ = 0;
};

// ChooseFontA listing the screen fonts, starting from the last values. Cancel leaves `chosen` alone.
bool ShowSystemFontDialog(HWND owner, const FontDialogState& last, FontDialogState& chosen);

}  // namespace customize_window
