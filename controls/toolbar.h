// A comctl32 toolbar of check buttons with pictures from one bitmap strip. Each button is known by
// the command identifier it was given; separators have none.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/controls.h"
#include "win/handles.h"
#include "win/text.h"

namespace controls {

class Toolbar : public Control {
  public:
    struct ButtonSpec {
        std::string caption;  // also the tool tip; empty for a separator
        int image;            // index in the image list; -1 for a separator
        int command;          // the button's identifier; unused for a separator
    };
    // `bitmap_id` names a strip of 16-pixel images, `mask` its transparent colour.
    bool Create(HWND parent, int id, int height_px, int bitmap_id, COLORREF mask,
                const std::vector<ButtonSpec>& buttons);
    // 1 pressed, 0 not; a command no button has reads 0. Setting a value raises no click.
    int ButtonValue(int command) const;
    void SetButtonValue(int command, int value);

    void OnCommand(WORD code, WORD id) override;
    bool OnNotify(NMHDR* header) override;

    // A click on a button, after the button has toggled; gets the button's command.
    std::function<void(int command)> ButtonClick;

  private:
    const ButtonSpec* ButtonOf(int command) const;
    const win::WideText* CaptionOf(int command) const;

    win::unique_any<HIMAGELIST, ImageList_Destroy> images_;
    std::vector<ButtonSpec> buttons_;
    std::vector<win::WideText> captions_;  // the buttons' captions as the toolbar and its tool tip take them
};

}  // namespace controls
