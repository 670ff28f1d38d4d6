// The test desktop's shell lives from test to test: what a test changed on its Start button and
// taskbar is undone, and so is the shell's own look Pelmora remembered on them, as a shell made
// anew has none.
#pragma once

#include <windows.h>

#include "shell/own_look.h"

namespace test_support {

using core::ForgetOwnLook;

}  // namespace test_support
