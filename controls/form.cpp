#include "controls/form.h"

namespace controls {

void Form::LayOutAt(int dpi) {
    dpi_ = dpi;
    const HFONT font = DefaultFont(dpi);
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsDefaultFont(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0))))
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    LayOut();
}

}  // namespace controls
