// Constant-alpha translucency for a whole top-level window.
#pragma once

#include <windows.h>

#include <cstdint>

namespace core {

enum AlphaResult : int32_t { kAlphaApplied = 0, kAlphaOutOfRange = 1, kAlphaCallFailed = 2 };

// Adds the layered bit to the window's extended styles (never removes it and never replaces the
// other bits) and sets its constant alpha, 0 invisible to 255 opaque. A null window is no error; a
// window that refuses the style or the alpha is (kAlphaCallFailed).
int32_t SetWindowAlpha(HWND window, int16_t alpha);

// Which SetLayeredWindowAttributes to call: the system's, or none where the system lacks it.
using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
int32_t SetWindowAlphaWith(HWND window, int16_t alpha, SetLayeredFn set_layered);

}  // namespace core
