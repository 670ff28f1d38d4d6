// A window of the program with controls: every notification of a control (WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL), every timer tick, menu command and click on a picture reaches its handler here,
// before the window's own messages go to OnMessage.
//
// A form is laid out for one DPI at a time: its monitor's. When the system moves it to a monitor of
// another scale (WM_DPICHANGED), it takes the size the system suggests, its controls that show the
// default font get the one at the new DPI, and LayOut places everything again.
#pragma once

#include <windows.h>

#include "controls/controls.h"
#include "win/window.h"

namespace controls {

class Form : public win::Window {
  public:
    // The DPI the window is laid out for.
    int dpi() const { return dpi_; }

  protected:
    // The DPI for a window not yet made.
    void SetDpi(int dpi) { dpi_ = dpi; }
    // Gives the controls that show the default font the one at `dpi`, then lays the window out for it.
    void LayOutAt(int dpi);
    // Places every control and picture for dpi() (sizes, positions, fonts of their own).
    virtual void LayOut() {}
    // Pictures that take clicks, timers, and commands that no control sends.
    ControlHost& host() { return host_; }
    // The window's own messages; the default is the system's handling.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
        return win::Window::HandleMessage(msg, wp, lp);
    }

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
            case WM_DPICHANGED: {
                const RECT& suggested = *reinterpret_cast<const RECT*>(lp);
                SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                             suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
                LayOutAt(HIWORD(wp));
                return 0;
            }
            default:
                break;
        }
        return OnMessage(msg, wp, lp);
    }

    ControlHost host_;
    int dpi_ = 96;
};

}  // namespace controls
