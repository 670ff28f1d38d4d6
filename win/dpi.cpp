#include "win/dpi.h"

#include "win/handles.h"
#include "win/system_function.h"

namespace win {

int ScreenDpi() {
    unique_hdc_window screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

int NewWindowDpi() {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const auto dpi_for_monitor = SystemFunction<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scale the user chose for the monitor
    if (dpi_for_monitor &&
        SUCCEEDED(dpi_for_monitor(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x,
                                  &y)) &&
        x > 0)
        return static_cast<int>(x);
    return ScreenDpi();
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    // Looked up once: the tick asks for a text outline's DPI every second, and user32 stays loaded.
    static const auto dpi_for_window = SystemFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    return dpi_for_window && window ? static_cast<int>(dpi_for_window(window)) : 0;
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
