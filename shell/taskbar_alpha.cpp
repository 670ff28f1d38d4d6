#include "shell/taskbar_alpha.h"

namespace core {

int32_t SetWindowAlphaWith(HWND window, int16_t alpha, SetLayeredFn set_layered) {
    if (alpha < 0 || alpha > 255) return kAlphaOutOfRange;
    if (!set_layered) return kAlphaCallFailed;
    if (!window) return kAlphaApplied;
    const LONG ex_style = GetWindowLongW(window, GWL_EXSTYLE);
    if (!(ex_style & WS_EX_LAYERED)) SetWindowLongW(window, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
    // A window that refused the layered style refuses the alpha too.
    return set_layered(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA) ? kAlphaApplied : kAlphaCallFailed;
}

int32_t SetWindowAlpha(HWND window, int16_t alpha) {
    // Looked up at run time: systems before Windows 2000 have no layered windows.
    static const SetLayeredFn system_set_layered = reinterpret_cast<SetLayeredFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
    return SetWindowAlphaWith(window, alpha, system_set_layered);
}

}  // namespace core
