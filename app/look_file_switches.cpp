#include "app/look_file_switches.h"

#include <windows.h>

#include <vector>

#include "main_window/main_window.h"
#include "store/look_file.h"
#include "win/text.h"

namespace app {

namespace {

// A GUI program has no console of its own: the error output it was given (a pipe, a file), else
// the console of the command line that started it.
void Say(const std::string& text) {
    const std::string line = "Pelmora: " + text + "\r\n";
    HANDLE out = GetStdHandle(STD_ERROR_HANDLE);
    bool attached = false;
    if (!out || out == INVALID_HANDLE_VALUE) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started from no console: nobody to tell
        attached = true;
        out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    if (out && out != INVALID_HANDLE_VALUE) {
        DWORD mode = 0, written = 0;
        if (GetConsoleMode(out, &mode)) {
            const win::WideText wide = win::Wide(line);
            WriteConsoleW(out, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
        } else {
            WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        }
    }
    if (attached) {
        if (out && out != INVALID_HANDLE_VALUE) CloseHandle(out);
        FreeConsole();
    }
}

// The file with the folder it is named from: a running Pelmora has a current folder of its own.
std::string FullPath(const std::string& file) {
    const win::WideText wide = win::Wide(file);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return file;
    std::vector<wchar_t> full(length);
    const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return file;
    return win::Utf8(full.data(), written);
}

int Refused(const std::string& why) {
    Say(why);
    return 1;
}

}  // namespace

int ExportLookSwitch(const std::string& file) {
    if (file.empty()) return Refused("No file was named: Pelmora.exe /export FILE");
    const core::store::LookFileResult result = core::store::ExportLook(FullPath(file));
    return result.refusal ? Refused(*result.refusal) : 0;
}

int ImportLookSwitch(const std::string& file) {
    if (file.empty()) return Refused("No file was named: Pelmora.exe /import FILE");
    const std::string path = FullPath(file);
    // Checked here first, so that the reason can be said here.
    const core::store::LookFileRead read = core::store::ReadLookFile(path);
    if (read.refusal) return Refused(*read.refusal);

    const HWND running = FindWindowW(win::Wide(main_window::kMainWindowClass).c_str(), nullptr);
    if (!running) {
        const core::store::LookFileResult stored = core::store::StoreLookValues(read.values);
        return stored.refusal ? Refused(*stored.refusal) : 0;
    }
    // A running Pelmora stores it itself: a tick of its own could otherwise store its present
    // look over the file's between the two.
    const win::WideText wide = win::Wide(path);
    COPYDATASTRUCT data{};
    data.dwData = main_window::kImportLookData;
    data.cbData = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(wide.c_str());
    const ULONGLONG give_up_at = GetTickCount64() + kImportHandOverWaitMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= give_up_at) return Refused("The running Pelmora stayed busy; nothing was stored.");
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                 static_cast<UINT>(give_up_at - now), &answer)) {
            const DWORD error = GetLastError();
            if (!IsWindow(running))
                return Refused("The running Pelmora ended meanwhile; nothing was stored.");
            if (error == ERROR_ACCESS_DENIED)
                return Refused(
                    "The running Pelmora refused the file (it runs as administrator?); nothing was "
                    "stored.");
            // A sent message outlives a sender that stopped waiting: it may still be read.
            return Refused("The running Pelmora did not answer in time; it may take the look when it does.");
        }
        if (answer == main_window::kImportTaken) return 0;
        if (answer != main_window::kImportBusy)
            return Refused(
                "The running Pelmora did not take the look (the file changed?); nothing was stored.");
        Sleep(kImportRetryMs);  // it was applying the look: it takes the file once that is done
    }
}

}  // namespace app
