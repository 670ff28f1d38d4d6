#include "shell/lower_integrity.h"

#include "shell/tray_icon.h"
#include "win/system_function.h"

namespace core {

static_assert(kHandOverMessage != kTrayCallbackMessage && kExitMessage != kTrayCallbackMessage &&
                  kExitMessage != kHandOverMessage,
              "each message of Pelmora's own has its number");

std::vector<UINT> MessagesFromLowerIntegrity(UINT taskbar_created) {
    // Not WM_COMMAND, the older Exit (the menu's "&Exit"): the forms take its lParam for a control
    // window and call the object a property of that window names, so a lower process could hand an
    // elevated Pelmora a window of its own whose property points wherever it likes. "/exit" posts
    // kExitMessage, then WM_COMMAND for an older Pelmora, which knows only that.
    // WM_COPYDATA carries "/import"'s file: the system copies the data, and what the file holds is
    // checked as any look file is before anything is stored.
    std::vector<UINT> messages{kTrayCallbackMessage, kHandOverMessage, kExitMessage, WM_COPYDATA};
    if (taskbar_created) messages.insert(messages.begin(), taskbar_created);
    return messages;
}

MessageFilter ChooseMessageFilter(bool per_window_found, bool process_wide_found) {
    if (per_window_found) return MessageFilter::kPerWindow;
    return process_wide_found ? MessageFilter::kProcessWide : MessageFilter::kNone;
}

bool LetThroughFromLowerIntegrity(HWND window, UINT taskbar_created) {
    using PerWindowFn = BOOL(WINAPI*)(HWND, UINT, DWORD, CHANGEFILTERSTRUCT*);
    using ProcessWideFn = BOOL(WINAPI*)(UINT, DWORD);
    const auto per_window = win::SystemFunction<PerWindowFn>("user32.dll", "ChangeWindowMessageFilterEx");
    const auto process_wide = win::SystemFunction<ProcessWideFn>("user32.dll", "ChangeWindowMessageFilter");
    bool all = true;
    for (UINT message : MessagesFromLowerIntegrity(taskbar_created)) {
        switch (ChooseMessageFilter(per_window != nullptr, process_wide != nullptr)) {
            case MessageFilter::kPerWindow:
                all = per_window(window, message, MSGFLT_ALLOW, nullptr) && all;
                break;
            case MessageFilter::kProcessWide:
                all = process_wide(message, MSGFLT_ADD) && all;
                break;
            case MessageFilter::kNone:
                break;
        }
    }
    return all;
}

}  // namespace core
