#include "core/shell_calls.h"

#include <algorithm>

namespace core {

namespace {

// Windows with a probe out. Process-wide, not per application: a probe's answer can come long after
// the application (and the restyler) that sent it have gone, and it tells about the window.
std::vector<HWND>& ProbesOut() {
    static std::vector<HWND> windows;
    return windows;
}

void CALLBACK ProbeAnswered(HWND window, UINT, ULONG_PTR, LRESULT) {
    std::vector<HWND>& out = ProbesOut();
    out.erase(std::remove(out.begin(), out.end(), window), out.end());
}

// Asks the window to answer when it can; the answer (or the window's end) comes back as a callback
// while this thread takes its messages.
void Probe(HWND window) {
    if (ShellCalls::Unanswered(window)) return;
    if (SendMessageCallbackW(window, WM_NULL, 0, 0, ProbeAnswered, 0)) ProbesOut().push_back(window);
}

bool Contains(const std::vector<HWND>& windows, HWND window) {
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

bool OfAnotherThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

ShellCalls::ShellCalls(DWORD budget_ms) : deadline_(GetTickCount64() + budget_ms) {}

bool ShellCalls::Unanswered(HWND window) { return Contains(ProbesOut(), window); }

bool ShellCalls::Answers(HWND window) {
    if (!window || !IsWindow(window)) return false;
    if (!OfAnotherThread(window) || Contains(answered_, window)) return true;
    return Send(window, WM_NULL, 0);
}

bool ShellCalls::SetText(HWND window, const wchar_t* text) {
    if (!window) return false;
    if (!OfAnotherThread(window))
        return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != FALSE;
    return Send(window, WM_SETTEXT, reinterpret_cast<LPARAM>(text));
}

bool ShellCalls::Send(HWND window, UINT message, LPARAM lparam) {
    if (Unanswered(window)) return false;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline_) {
        Probe(window);  // no time left to wait: the next application asks again once it has answered
        return false;
    }
    // At least 1 ms: some systems take a timeout of 0 as no limit at all.
    const UINT timeout = static_cast<UINT>(std::max<ULONGLONG>(1, deadline_ - now));
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutW(window, message, 0, lparam, SMTO_ABORTIFHUNG, timeout, &ignored)) {
        answered_.push_back(window);
        return true;
    }
    if (IsWindow(window)) Probe(window);
    return false;
}

}  // namespace core
