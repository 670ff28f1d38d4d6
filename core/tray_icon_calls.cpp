#include "core/tray_icon_calls.h"

namespace core {

namespace {
constexpr UINT kCallMessage = WM_APP;  // wParam: NIM_ADD or NIM_DELETE
constexpr DWORD kThreadStartWaitMs = 5000;
}  // namespace

// What the thread and the object share. The last of the two to let go deletes it: the thread may
// still be waiting on the shell when the object goes.
struct TrayIconCalls::Worker {
    NOTIFYICONDATAW record;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE made_event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    volatile LONG made = 0;
    LONG asked = 0;  // the object's thread only
    volatile LONG holders = 2;

    explicit Worker(const NOTIFYICONDATAW& r) : record(r) {}
    ~Worker() {
        if (ready) CloseHandle(ready);
        if (made_event) CloseHandle(made_event);
    }
    void Release() {
        if (InterlockedDecrement(&holders) == 0) delete this;
    }

    static DWORD WINAPI Run(void* param) {
        Worker* self = static_cast<Worker*>(param);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts to it
        SetEvent(self->ready);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message != kCallMessage) continue;
            NOTIFYICONDATAW record = self->record;
            Shell_NotifyIconW(static_cast<DWORD>(msg.wParam), &record);
            InterlockedIncrement(&self->made);
            SetEvent(self->made_event);
        }
        self->Release();
        return 0;
    }
};

TrayIconCalls::TrayIconCalls(const NOTIFYICONDATAW& record) : worker_(new Worker(record)) {
    HANDLE thread = CreateThread(nullptr, 0, Worker::Run, worker_, 0, &thread_id_);
    if (!thread || WaitForSingleObject(worker_->ready, kThreadStartWaitMs) != WAIT_OBJECT_0) {
        // No thread to make the calls: they are made here, as they always were.
        if (!thread) worker_->Release();
        thread_id_ = 0;
    }
    if (thread) CloseHandle(thread);
}

TrayIconCalls::~TrayIconCalls() {
    if (thread_id_) PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    worker_->Release();
}

void TrayIconCalls::Add() { Ask(NIM_ADD); }
void TrayIconCalls::Remove() { Ask(NIM_DELETE); }

void TrayIconCalls::Ask(DWORD call) {
    if (thread_id_ && PostThreadMessageW(thread_id_, kCallMessage, call, 0)) {
        ++worker_->asked;
        return;
    }
    NOTIFYICONDATAW record = worker_->record;
    Shell_NotifyIconW(call, &record);
}

bool TrayIconCalls::WaitUntilMade(DWORD timeout_ms) {
    const ULONGLONG give_up_at = GetTickCount64() + timeout_ms;
    while (worker_->made < worker_->asked) {
        const ULONGLONG now = GetTickCount64();
        if (now >= give_up_at) return false;
        // Nothing sent to this thread is taken meanwhile: this wait comes at the window's end,
        // when no handler may run again. The shell's tray is never a window of ours.
        WaitForSingleObject(worker_->made_event, static_cast<DWORD>(give_up_at - now));
    }
    return true;
}

}  // namespace core
