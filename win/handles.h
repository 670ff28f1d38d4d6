// Move-only owners for Windows handles: one template, one line per kind of handle.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class unique_any {
  public:
    unique_any() = default;
    explicit unique_any(Handle h) : h_(h) {}
    ~unique_any() { reset(); }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : h_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }
    Handle release() { return std::exchange(h_, Invalid); }
    void reset(Handle h = Invalid) {
        Handle old = std::exchange(h_, h);
        if (old != Invalid) Close(old);
    }
    // For out-parameters: frees the present handle and hands out the slot.
    Handle* put() {
        reset();
        return &h_;
    }

  private:
    Handle h_ = Invalid;
};

namespace detail {
inline void delete_object(HGDIOBJ h) { DeleteObject(h); }
inline void close_key(HKEY h) { RegCloseKey(h); }
inline void destroy_icon(HICON h) { DestroyIcon(h); }
inline void destroy_menu(HMENU h) { DestroyMenu(h); }
inline void delete_dc(HDC h) { DeleteDC(h); }
inline void close_handle(HANDLE h) { CloseHandle(h); }
inline void destroy_window(HWND h) { DestroyWindow(h); }
inline void free_global(HGLOBAL h) { GlobalFree(h); }
}  // namespace detail

using unique_hrgn = unique_any<HRGN, detail::delete_object>;
using unique_hfont = unique_any<HFONT, detail::delete_object>;
using unique_hbitmap = unique_any<HBITMAP, detail::delete_object>;
using unique_hbrush = unique_any<HBRUSH, detail::delete_object>;
using unique_hkey = unique_any<HKEY, detail::close_key>;
using unique_hicon = unique_any<HICON, detail::destroy_icon>;
using unique_hmenu = unique_any<HMENU, detail::destroy_menu>;
using unique_hdc = unique_any<HDC, detail::delete_dc>;
using unique_handle = unique_any<HANDLE, detail::close_handle>;
using unique_hwnd = unique_any<HWND, detail::destroy_window>;
using unique_hglobal = unique_any<HGLOBAL, detail::free_global>;

// Owns one reference to a COM object and releases it.
template <typename Interface>
class com_ptr {
  public:
    com_ptr() = default;
    ~com_ptr() { reset(); }
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    com_ptr(com_ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    com_ptr& operator=(com_ptr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (Interface* old = std::exchange(p_, nullptr)) old->Release();
    }
    // For out-parameters: releases the present object and hands out the slot.
    Interface** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

  private:
    Interface* p_ = nullptr;
};

// A DC from GetDC, given back with ReleaseDC.
class unique_hdc_window {
  public:
    explicit unique_hdc_window(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~unique_hdc_window() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    unique_hdc_window(const unique_hdc_window&) = delete;
    unique_hdc_window& operator=(const unique_hdc_window&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class unique_hdc_paint {
  public:
    explicit unique_hdc_paint(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    ~unique_hdc_paint() { EndPaint(hwnd_, &ps_); }
    unique_hdc_paint(const unique_hdc_paint&) = delete;
    unique_hdc_paint& operator=(const unique_hdc_paint&) = delete;
    HDC get() const { return ps_.hdc; }
    const PAINTSTRUCT& paint() const { return ps_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back.
class unique_select_object {
  public:
    unique_select_object() = default;  // nothing selected yet: see select
    unique_select_object(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~unique_select_object() {
        if (selected()) SelectObject(dc_, old_);
    }
    unique_select_object(const unique_select_object&) = delete;
    unique_select_object& operator=(const unique_select_object&) = delete;

    // Selects `obj` into the DC in place of the object selected before, and false (nothing changed)
    // when the DC refuses it. What is put back at the end stays what the DC held before the first
    // selection, so none of the objects selected here is left in it.
    bool select(HDC dc, HGDIOBJ obj) {
        if (selected() && dc != dc_) return false;  // one DC per selection
        const HGDIOBJ previous = SelectObject(dc, obj);
        if (!previous || previous == HGDI_ERROR) return false;
        if (!selected()) {
            dc_ = dc;
            old_ = previous;
        }
        return true;
    }

  private:
    bool selected() const { return old_ && old_ != HGDI_ERROR; }

    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace win
