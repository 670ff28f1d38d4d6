// A comctl32 toolbar of check buttons with pictures from one bitmap strip, addressed by their
// 1-based index (separators count), as a form designer numbers them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/controls.h"
#include "win/handles.h"

namespace controls {

class Toolbar : public Control {
public:
    struct ButtonSpec {
        std::string key;  // also caption and tool tip; empty for a separator
        int image;        // index in the image list; -1 for a separator
    };
    // `bitmap_id` names a strip of 16-pixel images, `mask` its transparent colour. Buttons' command
    // identifiers follow `id`.
    bool Create(HWND parent, int id, int height_px, int bitmap_id, COLORREF mask, const std::vector<ButtonSpec>& buttons);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // 1 pressed, 0 not; a separator or a missing button reads 0. Setting a value raises no click.
    int ButtonValue(int index) const;
    void SetButtonValue(int index, int value);
    std::string ButtonKey(int index) const;

    void OnCommand(WORD code, WORD id) override;
    bool OnNotify(NMHDR* header) override;

    // A click on a button, after the button has toggled; gets the button's index.
    std::function<void(int index)> ButtonClick;

private:
    int IndexOfCommand(int command_id) const;

    win::unique_any<HIMAGELIST, ImageList_Destroy> images_;
    std::vector<ButtonSpec> buttons_;
};

}  // namespace controls
