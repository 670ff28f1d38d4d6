#include "main_window/look_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "win/system_function.h"
#include "win/text.h"

namespace main_window {

std::optional<std::string> ShowSystemLookFileDialog(HWND owner, LookFileDialog dialog) {
    // Long paths fit; the dialog says so when one does not.
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"Pelmora looks (*.pelmora-look)\0*.pelmora-look\0Text files (*.txt)\0*.txt\0";
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = L"pelmora-look";
    // The program's current directory is not the dialog's to change.
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    // The dialogs' DLL is loaded the first time one is asked for, not at every start.
    using FileDialogFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    FileDialogFn show = nullptr;
    if (dialog == LookFileDialog::kSave) {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        show = win::SystemFunction<FileDialogFn>("comdlg32.dll", "GetSaveFileNameW");
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        show = win::SystemFunction<FileDialogFn>("comdlg32.dll", "GetOpenFileNameW");
    }
    if (!show || !show(&ofn)) return std::nullopt;
    return win::Utf8(file.data(), wcsnlen(file.data(), file.size()));
}

void ShowSystemNotice(HWND owner, const std::string& text) {
    MessageBoxW(owner, win::Wide(text).c_str(), L"Pelmora", MB_OK | MB_ICONWARNING);
}

}  // namespace main_window
