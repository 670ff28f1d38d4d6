// Base class for the windows we register. The static window procedure picks up `this` from
// lpCreateParams on WM_NCCREATE (so even the earliest messages reach the object), keeps it in
// GWLP_USERDATA of our own class, and forgets it on WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace win {

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Destroys the window now, while the whole object still exists to take its last messages. A
    // derived class whose members own windows (an owner, say) calls it first in its destructor.
    void Destroy();

  protected:
    // Registers the class once per process and creates the window; false when creation failed. The
    // class name and title are UTF-8.
    bool CreateWindowOfClass(const char* class_name, const char* title, DWORD style, DWORD ex_style, int x,
                             int y, int width, int height, HWND owner, HICON icon = nullptr);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Called after WM_NCDESTROY: the handle is gone.
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

}  // namespace win
