// Start-up time and memory of Pelmora.exe beside two floors, each program started as a process of
// its own: minimal_program.exe (the start-up work Pelmora cannot skip: common controls v6, a
// window with a few of them, a notification-area icon, an elliptic Start button) and
// bare_window.exe (one window). Printed as a table with both ratios.
#pragma once

namespace startup_figures {

void Print();

}  // namespace startup_figures
