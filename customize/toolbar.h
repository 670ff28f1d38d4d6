// The customize window's shape toolbar: a comctl32 toolbar whose buttons are addressed by their
// 1-based index, as the form designer numbered them (separators count).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win/handles.h"

namespace customize {

class Toolbar {
public:
    struct ButtonSpec {
        std::string key;  // also caption and tool tip; empty for a separator
        int image;        // index in the image list; -1 for a separator
    };
    Toolbar() = default;
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;
    bool Create(HWND parent, int id_base, int height_px, int bitmap_id, COLORREF mask,
                const std::vector<ButtonSpec>& buttons);
    HWND hwnd() const { return hwnd_; }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // 1 pressed, 0 not; a separator or a missing button reads 0. Setting a value raises no click.
    int ButtonValue(int index) const;
    void SetButtonValue(int index, int value);
    std::string ButtonKey(int index) const;
    // The button index of a WM_COMMAND identifier from this toolbar, or 0.
    int IndexOfCommand(int command_id) const;
    // Fills in the tool tip text of a TTN_GETDISPINFO / TBN_GETINFOTIP request.
    bool OnNotify(NMHDR* header);

private:
    HWND hwnd_ = nullptr;
    int id_base_ = 0;
    win::unique_any<HIMAGELIST, ImageList_Destroy> images_;
    std::vector<ButtonSpec> buttons_;
};

}  // namespace customize
