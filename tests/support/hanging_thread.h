// A thread of the test that makes windows standing in for the shell's and stops answering on
// demand, as a hung shell does: until released, or for at most 15 seconds.
#pragma once

#include <windows.h>

#include <functional>

#include "win/handles.h"

namespace test_support {

class HangingThread {
  public:
    // `make` runs on the thread and returns the top window it made, destroyed when the thread ends.
    explicit HangingThread(std::function<HWND()> make) : make_(std::move(make)) {
        thread_.reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
        WaitForSingleObject(ready_.get(), 5000);
    }
    ~HangingThread() {
        SetEvent(release_.get());
        PostThreadMessageA(GetThreadId(thread_.get()), WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.get(), 20000);
    }
    HangingThread(const HangingThread&) = delete;
    HangingThread& operator=(const HangingThread&) = delete;

    void Hang() {
        SetEvent(hang_.get());
        while (!hung_) Sleep(5);
    }
    void Release() {
        SetEvent(release_.get());
        while (hung_) Sleep(5);
    }
    bool hung() const { return hung_; }

  private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<HangingThread*>(param);
        HWND top = self->make_();
        SetEvent(self->ready_.get());
        HANDLE hang = self->hang_.get();
        for (;;) {
            if (MsgWaitForMultipleObjects(1, &hang, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) {
                self->hung_ = true;
                WaitForSingleObject(self->release_.get(), 15000);
                self->hung_ = false;
                continue;
            }
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    DestroyWindow(top);
                    return 0;
                }
                DispatchMessageA(&msg);
            }
        }
    }

    std::function<HWND()> make_;
    win::unique_handle ready_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    win::unique_handle hang_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    win::unique_handle release_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    volatile bool hung_ = false;
    win::unique_handle thread_;
};

}  // namespace test_support
