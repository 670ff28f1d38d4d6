#include "win/dpi.h"

#include "win/handles.h"

namespace win {

int ScreenDpi() {
    unique_hdc_window screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

RECT TwipsToClientRect(const TwipsRect& r, int dpi, int origin_x, int origin_y) {
    const int left = TwipsToPixels(origin_x + r.left, dpi);
    const int top = TwipsToPixels(origin_y + r.top, dpi);
    // Right and bottom are converted from their own twip positions so that neighbouring controls
    // meet exactly instead of drifting by rounding.
    const int right = TwipsToPixels(origin_x + r.left + r.width, dpi);
    const int bottom = TwipsToPixels(origin_y + r.top + r.height, dpi);
    return RECT{left, top, right, bottom};
}

}  // namespace win
