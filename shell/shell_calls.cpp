#include "shell/shell_calls.h"

#include <algorithm>

namespace core {

namespace {

// Windows with a probe out, with their threads: a thread that does not answer one of its windows
// answers none of them. Process-wide, not per application: a probe's answer can come long after
// the application (and the restyler) that sent it have gone, and it tells about the window.
struct ProbeOut {
    HWND window;
    DWORD thread;
};
std::vector<ProbeOut>& ProbesOut() {
    static std::vector<ProbeOut> probes;
    return probes;
}

void CALLBACK ProbeAnswered(HWND window, UINT, ULONG_PTR, LRESULT) {
    std::vector<ProbeOut>& out = ProbesOut();
    out.erase(
        std::remove_if(out.begin(), out.end(), [window](const ProbeOut& p) { return p.window == window; }),
        out.end());
}

// Asks the window to answer when it can; the answer (or the window's end) comes back as a callback
// while this thread takes its messages.
void Probe(HWND window) {
    if (ShellCalls::Unanswered(window)) return;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread && SendMessageCallbackW(window, WM_NULL, 0, 0, ProbeAnswered, 0))
        ProbesOut().push_back({window, thread});
}

bool Contains(const std::vector<HWND>& windows, HWND window) {
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

bool OfAnotherThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

ShellCalls::ShellCalls(DWORD budget_ms) : budget_ms_(budget_ms) {}

bool ShellCalls::Unanswered(HWND window) {
    std::vector<ProbeOut>& out = ProbesOut();
    // A window that went without answering (its thread ended, or was ended) answers nothing more:
    // its probe is dropped, or a new thread that got the old one's number would never be asked.
    out.erase(std::remove_if(out.begin(), out.end(), [](const ProbeOut& p) { return !IsWindow(p.window); }),
              out.end());
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (const ProbeOut& probe : out)
        if (probe.window == window || (thread && probe.thread == thread)) return true;
    return false;
}

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
    if (waited_ms_ >= budget_ms_) {
        Probe(window);  // no time left to wait: the next application asks again once it has answered
        return false;
    }
    // At least 1 ms (some systems take 0 as no limit at all): what the budget has left.
    const UINT timeout = budget_ms_ - waited_ms_;
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR ignored = 0;
    const LRESULT answered =
        SendMessageTimeoutW(window, message, 0, lparam, SMTO_ABORTIFHUNG, timeout, &ignored);
    // A send that ran out of time waited all of it, whatever a coarse clock says.
    waited_ms_ +=
        answered ? static_cast<DWORD>(std::min<ULONGLONG>(GetTickCount64() - start, timeout)) : timeout;
    if (answered) {
        answered_.push_back(window);
        return true;
    }
    if (IsWindow(window)) Probe(window);
    return false;
}

}  // namespace core
