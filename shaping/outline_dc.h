// The memory drawing context that text outlines are drawn in, with the font it carries: one owner
// for both, so the font is never deleted while selected and the context's own font goes back in
// before the context goes.
#pragma once

#include <windows.h>

#include "win/handles.h"

namespace shaping {

class OutlineDc {
public:
    OutlineDc() = default;
    ~OutlineDc() {
        if (original_font_) SelectObject(dc_.get(), original_font_);
    }
    OutlineDc(const OutlineDc&) = delete;
    OutlineDc& operator=(const OutlineDc&) = delete;

    // A context like `compatible_with`'s, drawing text without a background box.
    bool Create(HDC compatible_with) {
        dc_.reset(CreateCompatibleDC(compatible_with));
        if (dc_) SetBkMode(dc_.get(), TRANSPARENT);
        return static_cast<bool>(dc_);
    }
    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }
    bool HasFont() const { return static_cast<bool>(font_); }

    // Selects `font` and takes it over; the font it replaces is deselected first, then deleted.
    void SetFont(win::unique_hfont font) {
        if (!dc_ || !font) return;
        HGDIOBJ previous = SelectObject(dc_.get(), font.get());
        if (!original_font_) original_font_ = previous;
        font_ = std::move(font);
    }

private:
    win::unique_hdc dc_;
    win::unique_hfont font_;  // after dc_: destroyed first, once the destructor has deselected it
    HGDIOBJ original_font_ = nullptr;
};

}  // namespace shaping
