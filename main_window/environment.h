// What the program needs of the world beyond its own windows and the look's owner: how the
// process ends, the font and file dialogs, how a web address opens, where the shell's windows are
// found, how a refusal is said.
// The program takes the system's own; tests and the benchmark hand in their stand-ins when they
// make the main window.
#pragma once

#include <windows.h>

#include <functional>

#include "about_window/about_window.h"
#include "shell/taskbar_search.h"
#include "customize_window/customize_window.h"
#include "main_window/look_file_dialog.h"

namespace main_window {

struct Environment {
    // What "&Exit" ends the process with.
    std::function<void(UINT exit_code)> end_process = [](UINT exit_code) { ExitProcess(exit_code); };
    customize_window::FontDialog font_dialog = customize_window::ShowSystemFontDialog;
    about_window::AddressOpener open_address = about_window::OpenInBrowser;
    core::ShellFinder shell;
    LookFilePicker pick_look_file = ShowSystemLookFileDialog;
    Notice tell = ShowSystemNotice;
};

}  // namespace main_window
