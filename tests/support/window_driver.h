// Drives a window of the program as a person does, through the messages a person's input causes
// (a click, typing, a drag of a scroll bar's thumb), and reads what a person sees. Controls are
// found by their identifiers; windowless pictures by where they lie.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win/text.h"

namespace test_support {

// The window's whole text as UTF-8, asked with WM_GETTEXT: another process's edit box keeps its
// text to itself otherwise.
inline std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return win::Utf8(text.data(), static_cast<size_t>(copied));
}

// Whether the window has a region of its own; without one it shows its whole rectangle.
inline bool HasRegion(HWND window) {
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, probe) != ERROR;
    DeleteObject(probe);
    return has;
}

namespace detail {
struct TopLevelSearch {
    DWORD pid;
    const char* window_class;
    bool visible_only;
    HWND found;
};
inline BOOL CALLBACK MatchTopLevel(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<TopLevelSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    if (owner != s->pid || lstrcmpA(name, s->window_class) != 0) return TRUE;
    if (s->visible_only && !IsWindowVisible(w)) return TRUE;
    s->found = w;
    return FALSE;
}
}  // namespace detail

// The first top-level window of `window_class` that the process `pid` made (a shown one only, when
// asked); null for none.
inline HWND FindTopLevel(DWORD pid, const char* window_class, bool visible_only = false) {
    detail::TopLevelSearch search{pid, window_class, visible_only, nullptr};
    EnumWindows(detail::MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Driver {
  public:
    explicit Driver(HWND window = nullptr) : window_(window) {}

    HWND window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    // Typing that replaces the box's whole text, as a paste over a selection does.
    void Type(int id, const std::string& text) const {
        HWND box = Control(id);
        SendMessageW(box, EM_SETSEL, 0, -1);
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(win::Wide(text).c_str()));
    }
    // A click on a push button or check box.
    void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    // The scroll bar's thumb dragged to `value` and let go.
    void Drag(int id, int value) const {
        HWND bar = Control(id);
        SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, value), reinterpret_cast<LPARAM>(bar));
        SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, value), reinterpret_cast<LPARAM>(bar));
        SendMessageW(window_, WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(bar));
    }
    // A click on the scroll bar's arrows or track, or its keys: SB_LINERIGHT, SB_PAGELEFT, SB_RIGHT...
    void Scroll(int id, WORD code) const {
        SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(Control(id)));
    }
    // A left click at a point of the window's client area, such as on a windowless picture.
    void ClickAt(POINT client) const {
        const LPARAM at = MAKELPARAM(client.x, client.y);
        SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(window_, WM_LBUTTONUP, 0, at);
    }
    void ClickIn(const RECT& client) const {
        ClickAt(POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2});
    }
    // A click on the toolbar's button with this command.
    void ClickToolbarButton(int toolbar_id, int command) const {
        HWND toolbar = Control(toolbar_id);
        RECT r{};
        SendMessageW(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
    }

    std::string Text(int id) const { return WindowText(Control(id)); }
    // 1 ticked, 0 cleared, 2 grey.
    int Checked(int id) const { return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0)); }
    int Position(int id) const { return GetScrollPos(Control(id), SB_CTL); }
    int Maximum(int id) const {
        int min = 0, max = 0;
        GetScrollRange(Control(id), SB_CTL, &min, &max);
        return max;
    }
    bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    bool Pressed(int toolbar_id, int command) const {
        return SendMessageW(Control(toolbar_id), TB_ISBUTTONCHECKED, command, 0) != 0;
    }

  private:
    HWND window_;
};

}  // namespace test_support
