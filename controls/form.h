// A window of the program with controls: every notification of a control (WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL), every timer tick, menu command and click on a picture reaches its handler here,
// before the window's own messages go to OnMessage.
#pragma once

#include <windows.h>

#include "controls/controls.h"
#include "win/window.h"

namespace controls {

class Form : public win::Window {
protected:
    // Pictures that take clicks, timers, and commands that no control sends.
    ControlHost& host() { return host_; }
    // The window's own messages; the default is the system's handling.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return win::Window::HandleMessage(msg, wp, lp); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) final {
        switch (msg) {
            case WM_COMMAND:
            case WM_NOTIFY:
            case WM_HSCROLL:
            case WM_TIMER:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
                if (host_.Forward(msg, wp, lp)) return 0;
                break;
            default:
                break;
        }
        return OnMessage(msg, wp, lp);
    }

    ControlHost host_;
};

}  // namespace controls
