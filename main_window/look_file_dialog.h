// The system's file dialogs for a look file, and the message box that says why one was refused.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace main_window {

enum class LookFileDialog { kSave, kOpen };
// The file a person chose (UTF-8), or none when they cancelled.
using LookFilePicker = std::function<std::optional<std::string>(HWND owner, LookFileDialog dialog)>;
std::optional<std::string> ShowSystemLookFileDialog(HWND owner, LookFileDialog dialog);

// Says a refusal to the person.
using Notice = std::function<void(HWND owner, const std::string& text)>;
void ShowSystemNotice(HWND owner, const std::string& text);

}  // namespace main_window
