// Layouts are written in twips (1/1440 inch), as the forms were designed; windows take pixels.
#pragma once

#include <windows.h>

namespace win {

constexpr int kTwipsPerInch = 1440;

// The display's logical pixels per inch (96 by default, 144 at 150 %): the system DPI, which a
// per-monitor aware program meets only on the monitors at the system's scale.
int ScreenDpi();
// The DPI of the primary monitor, where a new window opens (centred in its work area), as the
// system gives it now; ScreenDpi() where the system cannot tell (before Windows 8.1).
int NewWindowDpi();
// The DPI the system gives a window (its monitor's, for a window of a per-monitor aware program);
// 0 where the system cannot tell (before Windows 10 1607).
int WindowDpi(HWND window);

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }
inline int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

struct TwipsRect {
    int left, top, width, height;
};

// A rectangle in twips, relative to a container at (origin_x, origin_y) twips, in client pixels.
RECT TwipsToClientRect(const TwipsRect& r, int dpi, int origin_x = 0, int origin_y = 0);

}  // namespace win
