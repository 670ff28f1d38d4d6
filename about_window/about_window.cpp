#include "about_window/about_window.h"

#include <ole2.h>
#include <olectl.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "resources/resource.h"
#include "resources/version.h"
#include "win/dpi.h"
#include "win/placement.h"
#include "win/system_function.h"
#include "win/text.h"

namespace about_window {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidthTwips = 3330, kClientHeightTwips = 2895;
constexpr int kLabelMarginTwips = 60;

// A JPEG from an RCDATA resource, decoded by the system's picture object.
win::com_ptr<IPicture> LoadResourcePicture(int id) {
    win::com_ptr<IPicture> picture;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return picture;
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return picture;
    // The stream needs memory of its own: a resource is read-only and not an HGLOBAL.
    win::unique_hglobal copy(GlobalAlloc(GMEM_MOVEABLE, size));
    void* dest = copy ? GlobalLock(copy.get()) : nullptr;
    if (!dest) return picture;
    CopyMemory(dest, bytes, size);
    GlobalUnlock(copy.get());
    using CreateStreamFn = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
    using LoadPictureFn = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
    const auto create_stream = win::SystemFunction<CreateStreamFn>("ole32.dll", "CreateStreamOnHGlobal");
    const auto load_picture = win::SystemFunction<LoadPictureFn>("oleaut32.dll", "OleLoadPicture");
    win::com_ptr<IStream> stream;
    if (!create_stream || !load_picture || FAILED(create_stream(copy.get(), TRUE, stream.put())))
        return picture;
    copy.release();  // the stream frees it
    if (FAILED(load_picture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.put_void())))
        picture.reset();
    return picture;
}

}  // namespace

void OpenInBrowser(const std::string& address) {
    ShellExecuteW(nullptr, nullptr, win::Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

AboutWindow::AboutWindow(AddressOpener open_address) : open_address_(std::move(open_address)) {}

AboutWindow::~AboutWindow() {
    // Destroy the window while this object's members still exist; its owner goes after it.
    if (hwnd()) DestroyWindow(hwnd());
}

bool AboutWindow::Create() {
    SetDpi(win::NewWindowDpi());
    HINSTANCE instance = GetModuleHandleW(nullptr);
    owner_.reset(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));

    const RECT r = win::CenteredWindowRect(win::TwipsToPixels(kClientWidthTwips, dpi()),
                                           win::TwipsToPixels(kClientHeightTwips, dpi()), kStyle, kExStyle);
    if (!CreateWindowOfClass(kAboutWindowClass, "About Pelmora", kStyle, kExStyle, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, owner_.get()))
        return false;
    CreateControls();
    LayOutAt(dpi());
    return true;
}

void AboutWindow::CreateControls() {
    HWND w = hwnd();
    // Tab order first: "OK" takes the focus whenever the window is activated.
    ok_button_.Create(w, RECT{}, IDOK, "OK", BS_DEFPUSHBUTTON);
    // Front to back, as they overlap; placed by LayOut.
    top_label_.Create(w, 0, 0, kTopLabel, "In the name of Allah");
    rights_label_.Create(w, 0, 0, kRightsLabel, "All rights reserved (C) 2026");
    email_label_.Create(w, 0, 0, kEmailLabel, kEmailAddress);
    author_label_.Create(w, 0, 0, kAuthorLabel, "Created by: the Velmontix team");
    web_link_label_.Create(w, 0, 0, kWebLinkLabel, kWebAddress);
    version_label_.Create(w, 0, 0, kVersionLabel, "Version " PELMORA_VERSION_MAJOR_MINOR_TEXT);
    title_label_.Create(w, 0, 0, kTitleLabel, "QVR (Pelmora)");

    // Only the link takes clicks; the other labels let them through to the window, which ignores them.
    web_link_label_.TakeClicks();
    web_link_label_.Click = [this] { OnWebLinkClicked(); };
    // "OK" is the default button (Enter) and the cancel button (Escape, which no control sends).
    ok_button_.Click = [this] { OnOkClicked(); };
    host().AddCommand(IDCANCEL, [this] { OnOkClicked(); });
}

void AboutWindow::LayOut() {
    auto px = [this](int twips) { return win::TwipsToPixels(twips, dpi()); };
    RenderBackground();
    ok_button_.Move(win::TwipsToClientRect({960, 2400, 1260, 345}, dpi()));

    // 8.25 points, bold, underlined, Arabic character set: the link's own font. The one it replaces
    // goes once the label holds the new one.
    win::unique_hfont link_font(CreateFontW(-MulDiv(825, dpi(), 7200), 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE,
                                            178, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
    SendMessageW(web_link_label_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(link_font.get()), TRUE);
    link_font_ = std::move(link_font);

    top_label_.Place(px(1050), px(120));
    rights_label_.Place(px(600), px(2040));
    email_label_.Place(px(840), px(1320));
    author_label_.Place(px(600), px(1680));
    web_link_label_.Place(px(480), px(960));
    version_label_.Place(px(1320), px(720));
    title_label_.Place(px(840), px(420));
    // A text wider than the form's design (another font, another DPI) moves left rather than being cut.
    for (controls::Label* label : {&title_label_, &top_label_, &version_label_, &web_link_label_,
                                   &author_label_, &email_label_, &rights_label_})
        KeepInside(*label);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void AboutWindow::KeepInside(controls::Label& label) {
    if (!label.hwnd()) return;
    RECT client{}, r{};
    GetClientRect(hwnd(), &client);
    GetWindowRect(label.hwnd(), &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    const int limit = client.right - win::TwipsToPixels(kLabelMarginTwips, dpi());
    if (r.right <= limit) return;
    const int left = std::max(0, static_cast<int>(r.left - (r.right - limit)));
    SetWindowPos(label.hwnd(), nullptr, left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::RenderBackground() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    win::com_ptr<IPicture> picture = LoadResourcePicture(IDR_ABOUT_JPEG);
    if (!picture) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    win::unique_hdc_window screen(hwnd());
    win::unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    win::unique_hdc memory(CreateCompatibleDC(screen.get()));
    if (bitmap && memory) {
        win::unique_select_object select(memory.get(), bitmap.get());
        // Picture coordinates run bottom-up: start at the bottom edge with a negative height.
        picture->Render(memory.get(), 0, 0, client.right, client.bottom, 0, height, width, -height, nullptr);
    }
    background_ = std::move(bitmap);
    background_brush_.reset(background_ ? CreatePatternBrush(background_.get()) : nullptr);
}

// Labels fill their rectangle with the matching piece of the picture, so they look transparent
// even when one repaints alone.
HBRUSH AboutWindow::LabelBackground(HDC dc, HWND label) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (!background_brush_) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    POINT origin{0, 0};
    MapWindowPoints(label, hwnd(), &origin, 1);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    return background_brush_.get();
}

void AboutWindow::Show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void AboutWindow::OnOkClicked() { ShowWindow(hwnd(), SW_HIDE); }

void AboutWindow::OnWebLinkClicked() {
    if (open_address_) open_address_(kWebAddress);
}

LRESULT AboutWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && ok_button_.hwnd()) {
                SetFocus(ok_button_.hwnd());
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wp) == web_link_label_.hwnd() && LOWORD(lp) == HTCLIENT) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(
                LabelBackground(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)));
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            win::unique_hdc_paint paint(hwnd());
            const RECT& r = paint.paint().rcPaint;
            if (background_) {
                win::unique_hdc memory(CreateCompatibleDC(paint.get()));
                win::unique_select_object select(memory.get(), background_.get());
                BitBlt(paint.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), r.left,
                       r.top, SRCCOPY);
            } else {
                FillRect(paint.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
            }
            return 0;
        }
        default:
            break;
    }
    return Form::OnMessage(msg, wp, lp);
}

void AboutWindow::OnDestroyed() { owner_.reset(); }

}  // namespace about_window
