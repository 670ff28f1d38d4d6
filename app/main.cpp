// Pelmora: restyles the taskbar's Start button for as long as it runs.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/look_file_switches.h"
#include "app/single_instance.h"
#include "main_window/main_window.h"
#include "look/command_line.h"
#include "shell/own_look.h"
#include "win/handles.h"
#include "win/message_loop.h"
#include "win/text.h"

#if defined(__GLIBCXX__)
// The program throws nothing, so a terminate can only come from the runtime itself, where nobody
// reads a message. GCC's default handler would print the exception's demangled type, and its
// demangler is a sixth of the 32-bit program; this one ends the process as that one does after it.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const wchar_t* command_line = GetCommandLineW();
    const std::string arguments = core::ArgumentsOf(win::Utf8(command_line, wcslen(command_line)));
    switch (core::SwitchOf(arguments)) {
        case core::Switch::kExit:
            return app::EndRunningInstances() ? 0 : 1;
        case core::Switch::kRestore:
            // A Pelmora still running would put its look back within a second.
            if (!app::EndRunningInstances()) return 1;
            return core::GiveBackShellLook(core::ShellFinder{}).complete ? 0 : 1;
        case core::Switch::kExport:
            return app::ExportLookSwitch(core::SwitchFile(arguments));
        case core::Switch::kImport:
            return app::ImportLookSwitch(core::SwitchFile(arguments));
        case core::Switch::kMinimized:
        case core::Switch::kNone:
            break;
    }

    // Held for the life of the process; the system drops it when the process ends, however it ends.
    HANDLE session_mutex = CreateMutexW(nullptr, FALSE, win::Wide(app::kSessionMutexName).c_str());
    const DWORD create_error = GetLastError();
    // Access denied: the name exists but belongs to a Pelmora of another token (one started
    // elevated). Any other failure says nothing about a first one, so this one runs rather than none.
    const bool another_runs =
        session_mutex ? create_error == ERROR_ALREADY_EXISTS : create_error == ERROR_ACCESS_DENIED;
    win::unique_handle session_claim(session_mutex);
    if (another_runs) {
        // This one only hands over: "/exit" must not wait for its window as for a Pelmora starting.
        session_claim.reset();
        // Restyling goes on again; the logon start's "/min" must not pop up a window the user has
        // closed. A first one that does not answer (or an elevated older one that refuses the
        // messages) keeps running as it was, and this one ends all the same.
        app::HandOverToRunningInstance(!core::IsMinimizedStart(arguments));
        return 0;
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    main_window::MainWindow form;
    if (!form.Create(arguments)) return 1;

    return win::RunMessageLoop();
}
