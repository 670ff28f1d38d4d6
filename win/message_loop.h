// The program's message loop, shared with the benchmark that measures it.
#pragma once

namespace win {

// Takes this thread's messages until WM_QUIT, whose code it returns. Tab and the dialog keys move
// between the controls of whichever window has the focus.
int RunMessageLoop();

}  // namespace win
