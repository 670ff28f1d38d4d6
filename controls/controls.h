// The thin forms layer over real Win32 controls that the windows of the program are built from.
//
// When a handler runs, for every control kind below:
//  - A person's input raises it: typing or pasting into a box, a click on a button, a check box, a
//    toolbar button or a picture, a scroll bar's arrows, track, keys or a released thumb. It runs
//    once the control shows the new value, and only when the value changed (a click always).
//  - A value set from code (SetValue, SetText, SetMax, SetButtonValue) only shows it and raises
//    nothing: the code that sets it does what the change asks for itself, in plain sight.
//  - A scroll bar refuses a value outside its range: SetValue returns false and nothing changes.
//  - A handler that is not set is not called.
// Every event reaches its handler through ControlHost::Forward, to which every Form hands
// WM_COMMAND, WM_HSCROLL, WM_NOTIFY, WM_TIMER and its left-button messages: a control's
// notification goes to the control that sent it (each control is known from its window, so no
// window keeps a list of its controls), a command that no control sends (a menu item, a dialog key
// such as Escape's IDCANCEL) to the handler added for its identifier, a timer's tick to that timer,
// and a click to the windowless picture under it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace controls {

using Handler = std::function<void()>;

// The forms' default font: 8-point Tahoma at a DPI, so that text grows with the layout (the stock
// GUI font keeps its pixel size on some systems). Made once per DPI, kept for the process.
HFONT DefaultFont(int dpi);
// True for a font DefaultFont gave, at any DPI.
bool IsDefaultFont(HFONT font);

class Control {
  public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    void SetVisible(bool visible);
    bool Visible() const;
    void Move(const RECT& client_px);

    // `code` is the notification code, `id` the identifier WM_COMMAND carries.
    virtual void OnCommand(WORD /*code*/, WORD /*id*/) {}
    // `position` is the 16-bit thumb position that WM_HSCROLL carries with SB_THUMBPOSITION.
    virtual void OnScroll(WORD /*code*/, WORD /*position*/) {}
    // True when the notification was this control's.
    virtual bool OnNotify(NMHDR* /*header*/) { return false; }

    // The control whose window this is (or which owns this window, such as a tool tip); null for
    // any other window.
    static Control* FromWindow(HWND window);

  protected:
    // `default_font`: give the control the forms' default font at its parent's DPI (controls with
    // their own, such as a toolbar, keep theirs).
    bool CreateControl(HWND parent, const char* window_class, const char* text, DWORD style, DWORD ex_style,
                       const RECT& client_px, int id, bool default_font = true);
    // Makes notifications that `window` sends reach this control.
    void Claim(HWND window);

  private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
};

class Picture;
class Timer;

// Routes every event of a window to the object that handles it (see the top of this file).
class ControlHost {
  public:
    // Pictures that take clicks; where they overlap, the one added first is on top.
    void Add(Picture& picture) { pictures_.push_back(&picture); }
    void Add(Timer& timer) { timers_.push_back(&timer); }
    // A command that no control sends: a menu item, or a dialog key.
    void AddCommand(WORD id, std::function<void()> handler) { commands_.push_back({id, std::move(handler)}); }
    // True when the message was handled here.
    bool Forward(UINT msg, WPARAM wp, LPARAM lp);

  private:
    Picture* PictureAt(POINT client_pt) const;

    std::vector<Picture*> pictures_;
    std::vector<Timer*> timers_;
    std::vector<std::pair<WORD, std::function<void()>>> commands_;
    Picture* pressed_ = nullptr;  // the picture the left button went down on
};

// Horizontal scroll bar. Arrows move by small_change, a click in the track by large_change, the
// thumb sets the value when it is released (nothing happens while it is dragged), and the arrow,
// Page, Home and End keys work while it has the focus.
class ScrollBar : public Control {
  public:
    struct Range {
        int min, max, value, small_change, large_change;
    };
    bool Create(HWND parent, const RECT& client_px, int id, const Range& range, bool tab_stop = true);
    int Value() const { return value_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    bool SetValue(int value);
    // Lowering the maximum below the value moves the value to it.
    void SetMax(int max);
    void OnScroll(WORD code, WORD position) override;

    Handler Change;

  private:
    void SyncScrollInfo();
    int min_ = 0, max_ = 0, value_ = 0, small_ = 1, large_ = 1;
};

// Check box with the values 0 (cleared), 1 (ticked) and 2 (grey). A click ticks a cleared or grey
// box and clears a ticked one.
class CheckBox : public Control {
  public:
    bool Create(HWND parent, const RECT& client_px, int id, const char* caption);
    int Value() const { return value_; }
    void SetValue(int value);
    void OnCommand(WORD code, WORD id) override;

    Handler Click;

  private:
    int value_ = 0;
};

// Single-line edit box. Its text is what the edit control holds: a text set with an embedded NUL
// keeps only what comes before it, as the control shows.
class TextBox : public Control {
  public:
    bool Create(HWND parent, const RECT& client_px, int id, const char* text, bool read_only = false);
    std::string Text() const;
    void SetText(const std::string& text);
    // At most `characters` are held, typed or set from code (a longer text keeps its beginning).
    // Texts are UTF-8; characters are counted as the system counts them (UTF-16 code units), and a
    // character is never cut in two.
    void SetMaxLength(size_t characters);
    void OnCommand(WORD code, WORD id) override;

    Handler Change;

  private:
    void DropHalfCharacterAtEnd();

    bool setting_ = false;
    size_t max_length_ = 0;  // 0: the control's own limit
};

class Button : public Control {
  public:
    bool Create(HWND parent, const RECT& client_px, int id, const char* caption, DWORD extra_style = 0);
    void OnCommand(WORD code, WORD id) override;

    Handler Click;
};

// Group box. Frames only draw; the controls they hold are children of the form at the frame's
// offset, so every notification reaches the form directly.
class Frame : public Control {
  public:
    bool Create(HWND parent, const RECT& client_px, int id, const char* caption);
};

// Static text sized to its one line, drawn with a transparent background. A label with a Click
// handler takes clicks; the others let them through to the window.
class Label : public Control {
  public:
    bool Create(HWND parent, int x, int y, int id, const char* text);
    // Moves the label to (x, y) and sizes it to its text in the font it now holds.
    void Place(int x, int y);
    // Starts telling clicks (the label is made to notify its parent).
    void TakeClicks();
    void OnCommand(WORD code, WORD id) override;

    Handler Click;
};

// A windowless picture: the form paints it and tells it about clicks.
class Picture {
  public:
    enum class Fit { kOwnSize, kStretch };
    void Set(HANDLE image, UINT image_type, const RECT& client_px, Fit fit);
    const RECT& Bounds() const { return bounds_; }
    void Paint(HDC dc) const;
    bool Contains(POINT client_pt) const;

    Handler Click;

  private:
    HANDLE image_ = nullptr;  // owned by the form (a shared resource image)
    UINT type_ = IMAGE_BITMAP;
    RECT bounds_{};
    Fit fit_ = Fit::kOwnSize;
};

// Calls Tick every interval on the owner's thread, through the owner's WM_TIMER.
class Timer {
  public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { Stop(); }
    void Start(HWND owner, UINT_PTR id, UINT interval_ms);
    void Stop();
    // True when the WM_TIMER was this timer's.
    bool OnTimer(UINT_PTR id);

    Handler Tick;

  private:
    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace controls
