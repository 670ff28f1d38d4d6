#include "shell/own_look.h"

#include <optional>
#include <vector>

#include "look/stored_look.h"
#include "win/handles.h"
#include "win/text.h"

namespace core {

namespace {

// The properties' names, integer atoms. A look takes kLookName and the names after it: a header,
// a check of the whole, the origin, the size, then the label's UTF-16 code units two to a name. A
// taskbar's opacity takes kOpacityName, beyond the longest look's names.
constexpr WORD kLookName = 0x5E70;
constexpr WORD kOpacityName = kLookName + 0x100;
constexpr WORD kFirstLabelName = 4;
// The high half of a header or an opacity: tells ours from another program's property of the name.
constexpr DWORD kMarker = 0x9E1A0000;
constexpr DWORD kMarkerMask = 0xFFFF0000;
// The opacity's low half: 1 when the taskbar was not layered, else 2 with its alpha in the second byte.
constexpr DWORD kWasLayered = 2;

// How versions before this one kept it: string-named properties (global atoms), the label a global
// atom of its text after an 'L', a top-level button's origin on the screen. Read, so that a look
// remembered by an older Pelmora that ran in this session still comes back.
constexpr const wchar_t* kLegacyLabel = L"Pelmora.OwnLabel";
constexpr const wchar_t* kLegacyOrigin = L"Pelmora.OwnOrigin";
constexpr const wchar_t* kLegacySize = L"Pelmora.OwnSize";
constexpr const wchar_t* kLegacyOpacity = L"Pelmora.OwnOpacity";

struct OwnLook {
    POINT origin{};  // a child's in its parent; a top-level button's from its taskbar's client origin
    SIZE size{};
    win::WideText label;
};

DWORD Pack(int low, int high) { return MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)); }
int Low(DWORD packed) { return static_cast<short>(LOWORD(packed)); }
int High(DWORD packed) { return static_cast<short>(HIWORD(packed)); }
// Only a property's low 32 bits count, so that the 32-bit and the 64-bit program agree.
DWORD Word(HANDLE value) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(value)); }

DWORD Get(HWND window, WORD name) { return Word(GetPropW(window, MAKEINTATOM(name))); }
bool Put(HWND window, WORD name, DWORD value) {
    return SetPropW(window, MAKEINTATOM(name), reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value))) !=
           FALSE;
}

bool IsChild(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

std::optional<POINT> ClientOrigin(HWND taskbar) {
    POINT origin{0, 0};
    if (!taskbar || !ClientToScreen(taskbar, &origin)) return std::nullopt;
    return origin;
}

// The look's words in the order of their names, the check (FNV-1a of the others) second.
std::vector<DWORD> Words(const OwnLook& look) {
    std::vector<DWORD> words{kMarker | static_cast<DWORD>(look.label.size()), 0,
                             Pack(look.origin.x, look.origin.y), Pack(look.size.cx, look.size.cy)};
    for (size_t i = 0; i < look.label.size(); i += 2)
        words.push_back(MAKELONG(look.label[i], i + 1 < look.label.size() ? look.label[i + 1] : 0));
    DWORD check = 2166136261u;
    for (size_t i = 0; i < words.size(); ++i)
        if (i != 1) check = (check ^ words[i]) * 16777619u;
    words[1] = check;
    return words;
}

size_t NameCount(DWORD header) { return kFirstLabelName + ((header & 0xFFFF) + 1) / 2; }

void RemoveNames(HWND button, size_t count) {
    for (size_t i = 0; i < count; ++i) RemovePropW(button, MAKEINTATOM(kLookName + i));
}

std::optional<OwnLook> ReadLook(HWND button) {
    const DWORD header = Get(button, kLookName);
    const size_t length = header & 0xFFFF;
    if ((header & kMarkerMask) != kMarker || length > kMaxLabelLength) return std::nullopt;
    OwnLook look;
    const DWORD origin = Get(button, kLookName + 2), size = Get(button, kLookName + 3);
    look.origin = {Low(origin), High(origin)};
    look.size = {Low(size), High(size)};
    wchar_t label[kMaxLabelLength + 1] = {};
    for (size_t i = 0; i < length; i += 2) {
        const DWORD pair = Get(button, static_cast<WORD>(kLookName + kFirstLabelName + i / 2));
        label[i] = static_cast<wchar_t>(LOWORD(pair));
        if (i + 1 < length) label[i + 1] = static_cast<wchar_t>(HIWORD(pair));
    }
    look.label = win::WideText(label, length);
    if (Words(look)[1] != Get(button, kLookName + 1)) return std::nullopt;  // not (all) ours
    return look;
}

// The header last: a look is there only once all of it is.
bool WriteLook(HWND button, const OwnLook& look) {
    const std::vector<DWORD> words = Words(look);
    for (size_t i = words.size(); i-- > 0;) {
        if (!Put(button, static_cast<WORD>(kLookName + i), words[i])) {
            RemoveNames(button, words.size());
            return false;
        }
    }
    return true;
}

std::optional<OwnLook> ReadLegacyLook(HWND button, HWND taskbar) {
    const auto atom = static_cast<ATOM>(Word(GetPropW(button, kLegacyLabel)));
    if (!atom) return std::nullopt;
    wchar_t text[kMaxLabelLength + 2] = {};
    const UINT length = GlobalGetAtomNameW(atom, text, static_cast<int>(kMaxLabelLength + 2));
    OwnLook look;
    if (length) look.label = win::WideText(text + 1, length - 1);
    const DWORD origin = Word(GetPropW(button, kLegacyOrigin)), size = Word(GetPropW(button, kLegacySize));
    look.origin = {Low(origin), High(origin)};
    look.size = {Low(size), High(size)};
    if (!IsChild(button)) {
        const std::optional<POINT> base = ClientOrigin(taskbar);
        if (!base) return std::nullopt;
        look.origin.x -= base->x;
        look.origin.y -= base->y;
    }
    return look;
}

void DropLegacyLook(HWND button) {
    const auto atom = static_cast<ATOM>(Word(RemovePropW(button, kLegacyLabel)));
    RemovePropW(button, kLegacyOrigin);
    RemovePropW(button, kLegacySize);
    if (atom) GlobalDeleteAtom(atom);
}

void ForgetLook(HWND button) {
    const DWORD header = Get(button, kLookName);
    if ((header & kMarkerMask) == kMarker) RemoveNames(button, NameCount(header));
    DropLegacyLook(button);
}

// The opacity's low half, in either form.
std::optional<DWORD> RecallOpacity(HWND taskbar) {
    const DWORD own = Get(taskbar, kOpacityName);
    if ((own & kMarkerMask) == kMarker) return own & 0xFFFF;
    if (const DWORD legacy = Word(GetPropW(taskbar, kLegacyOpacity))) return legacy & 0xFFFF;
    return std::nullopt;
}

void ForgetOpacity(HWND taskbar) {
    if ((Get(taskbar, kOpacityName) & kMarkerMask) == kMarker)
        RemovePropW(taskbar, MAKEINTATOM(kOpacityName));
    RemovePropW(taskbar, kLegacyOpacity);
}

void GiveBackLabelAndPlace(HWND button, HWND taskbar, ShellCalls& calls, GiveBack& result) {
    std::optional<OwnLook> own = ReadLook(button);
    if (!own) own = ReadLegacyLook(button, taskbar);
    if (!own) return;
    result.found_anything = true;
    POINT origin = own->origin;
    if (!IsChild(button)) {
        // On its taskbar as it lies now, which may have moved to another edge or monitor meanwhile.
        const std::optional<POINT> base = ClientOrigin(taskbar);
        if (!base) {
            result.complete = false;
            return;
        }
        origin = {base->x + origin.x, base->y + origin.y};
    }
    const UINT wait = OfAnotherThread(button) ? SWP_ASYNCWINDOWPOS : 0;
    const bool placed = SetWindowPos(button, nullptr, origin.x, origin.y, own->size.cx, own->size.cy,
                                     SWP_NOZORDER | SWP_NOACTIVATE | wait) != FALSE;
    if (!calls.SetText(button, own->label.c_str()) || !placed) {
        result.complete = false;  // remembered still: a later "/restore" gives it back
        return;
    }
    ForgetLook(button);
}

// Takes the layered style off a taskbar and has it repainted, as the system asks of a window that
// stops being layered. The repaint is only requested (no RDW_UPDATENOW or RDW_ERASENOW): nothing
// waits for the taskbar's thread.
bool TakeLayeringOff(HWND taskbar, LONG ex_style) {
    // The style it had, never 0 here, or 0 when refused.
    if (!SetWindowLongW(taskbar, GWL_EXSTYLE, ex_style & ~WS_EX_LAYERED)) return false;
    // Its window procedure may keep the style (WM_STYLECHANGING).
    if (GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYERED) return false;
    RedrawWindow(taskbar, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

void GiveBackOpacity(HWND taskbar, ShellCalls& calls, GiveBack& result) {
    const std::optional<DWORD> own = RecallOpacity(taskbar);
    const LONG ex_style = GetWindowLongW(taskbar, GWL_EXSTYLE);
    if (own && (*own & kWasLayered)) {
        // The shell had it layered itself: its own alpha back (refused by a taskbar no longer layered).
        result.found_anything = true;
        if (!SetLayeredWindowAttributes(taskbar, 0, static_cast<BYTE>(*own >> 8), LWA_ALPHA)) {
            result.complete = false;
            return;
        }
    } else if (ex_style & WS_EX_LAYERED) {
        result.found_anything = true;
        // Changing another thread's window's style sends it messages: only a taskbar that answers.
        if (!calls.Answers(taskbar) || !TakeLayeringOff(taskbar, ex_style)) {
            result.complete = false;
            return;
        }
    }
    ForgetOpacity(taskbar);
}

}  // namespace

void RememberOwnLook(HWND start_button, HWND taskbar) {
    // Ours, or another program's property of the name: nothing is written over it.
    if (!start_button || Get(start_button, kLookName)) return;
    std::optional<OwnLook> own = ReadLegacyLook(start_button, taskbar);
    const bool legacy = own.has_value();
    if (!own) {
        RECT place{};
        if (!GetWindowRect(start_button, &place)) return;
        if (IsChild(start_button)) {
            MapWindowPoints(HWND_DESKTOP, GetAncestor(start_button, GA_PARENT),
                            reinterpret_cast<POINT*>(&place), 2);
        } else {
            const std::optional<POINT> base = ClientOrigin(taskbar);
            if (!base) return;
            OffsetRect(&place, -base->x, -base->y);
        }
        wchar_t label[kMaxLabelLength + 1] = {};
        const int length = InternalGetWindowText(start_button, label, static_cast<int>(kMaxLabelLength + 1));
        own = OwnLook{{place.left, place.top},
                      {place.right - place.left, place.bottom - place.top},
                      win::WideText(label, static_cast<size_t>(length > 0 ? length : 0))};
    }
    // An older version's look moves into this form, and its atoms go.
    if (WriteLook(start_button, *own) && legacy) DropLegacyLook(start_button);
}

void RememberOwnOpacity(HWND taskbar) {
    if (!taskbar || Get(taskbar, kOpacityName)) return;
    DWORD own = 1;
    if (const std::optional<DWORD> legacy = RecallOpacity(taskbar)) {
        own = *legacy;
    } else if (GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYERED) {
        BYTE alpha = 255;
        DWORD flags = 0;
        if (!(GetLayeredWindowAttributes(taskbar, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)))
            alpha = 255;
        own = kWasLayered | static_cast<DWORD>(alpha) << 8;
    }
    if (Put(taskbar, kOpacityName, kMarker | own)) RemovePropW(taskbar, kLegacyOpacity);
}

void GiveBackOwnLook(HWND taskbar, HWND start_button, ShellCalls& calls, GiveBack& result) {
    if (start_button && IsWindow(start_button)) {
        GiveBackLabelAndPlace(start_button, taskbar, calls, result);
        win::unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
        if (region && GetWindowRgn(start_button, region.get()) != ERROR) {
            result.found_anything = true;
            // SetWindowRgn waits for another thread without a limit: only on a button that answers.
            if (!calls.Answers(start_button) || !SetWindowRgn(start_button, nullptr, TRUE))
                result.complete = false;
        }
    }
    if (taskbar && IsWindow(taskbar)) GiveBackOpacity(taskbar, calls, result);
}

GiveBack GiveBackShellLook(const ShellFinder& finder, DWORD budget_ms) {
    ShellCalls calls(budget_ms);
    return GiveBackShellLook(finder, calls);
}

GiveBack GiveBackShellLook(const ShellFinder& finder, ShellCalls& calls) {
    GiveBack result;
    const HWND taskbar = finder.taskbar();
    GiveBackOwnLook(taskbar, finder.start_button(taskbar), calls, result);
    for (const SecondaryTaskbar& extra : finder.extras())
        GiveBackOwnLook(extra.taskbar, extra.start_button, calls, result);
    return result;
}

void ForgetOwnLook(HWND start_button, HWND taskbar) {
    if (start_button) ForgetLook(start_button);
    if (taskbar) ForgetOpacity(taskbar);
}

}  // namespace core
