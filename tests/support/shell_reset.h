// The test desktop's shell lives from test to test: what a test changed on its Start button and
// taskbar is undone, and so is the shell's own look Pelmora remembered on them, as a shell made
// anew has none.
#pragma once

#include <windows.h>

#include "shell/own_look.h"

namespace test_support {

inline void ForgetOwnLook(HWND start_button, HWND taskbar) {
    if (const auto label =
            static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(start_button, core::kOwnLabelProperty))))
        GlobalDeleteAtom(label);
    RemovePropW(start_button, core::kOwnOriginProperty);
    RemovePropW(start_button, core::kOwnSizeProperty);
    RemovePropW(taskbar, core::kOwnOpacityProperty);
}

}  // namespace test_support
