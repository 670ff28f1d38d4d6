// Finding the taskbar and its Start button, which belong to the shell, not to us.
#pragma once

#include <windows.h>

namespace app {

HWND FindTaskbar();

// The Start button of `taskbar`, in the form the running shell uses: its first "BUTTON" child
// (classic shells); else a top-level "Button" window of the taskbar's own thread (Windows 7); else a
// "Start" child (Windows 8 to 10). No taskbar, no Start button: a search without a parent would
// find some other program's top-level button.
HWND FindStartButton(HWND taskbar);

}  // namespace app
