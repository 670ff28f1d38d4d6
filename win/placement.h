// Where a form opens: centred in the screen's work area.
#pragma once

#include <windows.h>

namespace win {

// The outer rectangle of a window with this client size and these styles, centred in the work
// area. `outer_width`, when given, replaces the width that the client size implies.
RECT CenteredWindowRect(int client_width, int client_height, DWORD style, DWORD ex_style,
                        int outer_width = 0);

}  // namespace win
