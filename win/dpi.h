// Layouts are written in twips (1/1440 inch), as the forms were designed; windows take pixels.
#pragma once

#include <windows.h>

namespace win {

constexpr int kTwipsPerInch = 1440;

// The display's logical pixels per inch (96 by default, 144 at 150 %).
int ScreenDpi();

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }
inline int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

struct TwipsRect {
    int left, top, width, height;
};

// A rectangle in twips, relative to a container at (origin_x, origin_y) twips, in client pixels.
RECT TwipsToClientRect(const TwipsRect& r, int dpi, int origin_x = 0, int origin_y = 0);

}  // namespace win
