#include "about_window/about_window.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "main_window/main_window.h"
#include "resources/resource.h"
#include "resources/version.h"
#include "test_support.h"
#include "win/dpi.h"

namespace {

// The program's own message loop: keys go through IsDialogMessage of their top-level window.
void RunMessageLoop(DWORD milliseconds = 50) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            HWND top = GetAncestor(msg.hwnd, GA_ROOT);
            if (top && IsDialogMessageA(top, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

using ClassSearch = std::pair<const char*, std::vector<HWND>>;

BOOL CALLBACK CollectWindowOfClass(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<ClassSearch*>(lp);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, s->first) == 0) s->second.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> WindowsOfClass(const char* class_name) {
    ClassSearch search{class_name, {}};
    EnumWindows(CollectWindowOfClass, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

RECT ChildRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A click as the system routes it: the window under the point gets the button messages.
void ClickAt(HWND top, POINT client_pt) {
    POINT screen = client_pt;
    ClientToScreen(top, &screen);
    HWND target = WindowFromPoint(screen);
    ASSERT_TRUE(target == top || IsChild(top, target));
    POINT local = screen;
    ScreenToClient(target, &local);
    const LPARAM at = MAKELPARAM(local.x, local.y);
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(target, WM_LBUTTONUP, 0, at);
    RunMessageLoop();
}

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

using about_window::kAuthorLabel;
using about_window::kEmailLabel;
using about_window::kRightsLabel;
using about_window::kTitleLabel;
using about_window::kTopLabel;
using about_window::kVersionLabel;
using about_window::kWebLinkLabel;
constexpr int kLabels[] = {kTitleLabel,  kTopLabel,   kVersionLabel, kWebLinkLabel,
                           kAuthorLabel, kEmailLabel, kRightsLabel};

// Where the design puts every control at `dpi`, in fonts of that DPI, labels sized to their text:
// the same whether the window was made at `dpi` or moved there.
void ExpectAboutWindowLaidOutAt(HWND w, int dpi) {
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(3330, dpi));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(2895, dpi));
    const RECT ok = ChildRect(w, GetDlgItem(w, IDOK));
    const RECT ok_expected = win::TwipsToClientRect({960, 2400, 1260, 345}, dpi);
    EXPECT_TRUE(EqualRect(&ok, &ok_expected));
    // Labels start at their places in the design unless their text would run off the window.
    HWND version = GetDlgItem(w, kVersionLabel), link = GetDlgItem(w, kWebLinkLabel);
    EXPECT_EQ(ChildRect(w, version).left, win::TwipsToPixels(1320, dpi));
    EXPECT_EQ(ChildRect(w, version).top, win::TwipsToPixels(720, dpi));
    EXPECT_LE(ChildRect(w, link).left, win::TwipsToPixels(480, dpi));
    EXPECT_EQ(ChildRect(w, link).top, win::TwipsToPixels(960, dpi));
    EXPECT_EQ(test_support::FontHeightOf(link), -MulDiv(825, dpi, 7200));
    EXPECT_EQ(test_support::FontHeightOf(version), -MulDiv(8, dpi, 72));
    for (int id : kLabels) {
        HWND label = GetDlgItem(w, id);
        const RECT r = ChildRect(w, label);
        const SIZE text = test_support::TextSizeOf(label);
        EXPECT_EQ(r.right - r.left, text.cx) << id;
        EXPECT_EQ(r.bottom - r.top, text.cy) << id;
    }
}

// The window's drawing at the far corner of its client area.
COLORREF BottomRightPixel(HWND w) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test_support::PumpMessages(50);
    RECT client{};
    GetClientRect(w, &client);
    HDC dc = GetDC(w);
    const COLORREF pixel = GetPixel(dc, client.right - 1, client.bottom - 1);
    ReleaseDC(w, dc);
    return pixel;
}

class AboutWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(about_.Create());
        about_.Show();
        RunMessageLoop();
    }
    HWND Item(int id) const { return GetDlgItem(about_.hwnd(), id); }

    std::vector<std::string> opened_;
    about_window::AboutWindow about_{[this](const std::string& address) { opened_.push_back(address); }};
};

TEST_F(AboutWindow, FixedDialogFrameWithCloseBoxOnlyAndNoTaskbarButton) {
    HWND w = about_.hwnd();
    const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
    const LONG_PTR ex_style = GetWindowLongPtrA(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(style & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION));
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD));
    EXPECT_TRUE(ex_style & WS_EX_DLGMODALFRAME);
    // Off the taskbar through an owner, with an ordinary caption.
    EXPECT_FALSE(ex_style & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
    EXPECT_NE(GetWindow(w, GW_OWNER), nullptr);

    char title[64] = {};
    GetWindowTextA(w, title, sizeof title);
    EXPECT_STREQ(title, "About Pelmora");
    EXPECT_EQ(SendMessageA(w, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageA(w, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(GetClassLongPtrA(w, GCLP_HICON), 0);
}

TEST_F(AboutWindow, ClientAreaInTwipsCentredOnTheScreen) {
    const int dpi = win::ScreenDpi();
    RECT client{};
    GetClientRect(about_.hwnd(), &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(3330, dpi));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(2895, dpi));
    if (dpi == 96) {
        EXPECT_EQ(client.right, 222);
        EXPECT_EQ(client.bottom, 193);
    }
    RECT window{}, work{};
    GetWindowRect(about_.hwnd(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST_F(AboutWindow, LabelsReadTopToBottomInsideTheWindowAndFitTheirText) {
    HWND w = about_.hwnd();
    RECT client{};
    GetClientRect(w, &client);
    const int reading_order[] = {kTopLabel,   kTitleLabel,  kVersionLabel, kWebLinkLabel,
                                 kEmailLabel, kAuthorLabel, kRightsLabel,  IDOK};
    int previous_bottom = 0;
    for (int id : reading_order) {
        const RECT r = ChildRect(w, Item(id));
        EXPECT_GE(r.top, previous_bottom) << "overlaps the line above: " << id;
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, client.right) << "clipped at the right: " << id;
        EXPECT_LE(r.bottom, client.bottom);
        previous_bottom = r.bottom;
    }
    ExpectAboutWindowLaidOutAt(w, win::ScreenDpi());

    const test_support::Driver about(w);
    EXPECT_EQ(about.Text(kWebLinkLabel), about_window::kWebAddress);
    EXPECT_EQ(about.Text(kVersionLabel), "Version " PELMORA_VERSION_MAJOR_MINOR_TEXT);
    EXPECT_EQ(about.Text(kTitleLabel), "QVR (Pelmora)");
    EXPECT_EQ(about.Text(kAuthorLabel).rfind("Created by: ", 0), 0u);
}

// On a monitor of another scale, and back: laid out as if made there, the picture stretched again.
TEST_F(AboutWindow, ADpiChangeLaysItOutAsIfMadeAtTheNewDpi) {
    const int screen_dpi = win::ScreenDpi();
    const COLORREF corner = BottomRightPixel(about_.hwnd());
    for (int dpi : {screen_dpi == 144 ? 96 : 144, screen_dpi}) {
        SCOPED_TRACE(dpi);
        test_support::SendDpiChange(about_.hwnd(), dpi, win::TwipsToPixels(3330, dpi),
                                    win::TwipsToPixels(2895, dpi));
        ExpectAboutWindowLaidOutAt(about_.hwnd(), dpi);
        const COLORREF now = BottomRightPixel(about_.hwnd());
        EXPECT_NEAR(GetRValue(now), GetRValue(corner), 30);
        EXPECT_NEAR(GetGValue(now), GetGValue(corner), 30);
        EXPECT_NEAR(GetBValue(now), GetBValue(corner), 30);
    }
}

TEST_F(AboutWindow, LinkHasItsOwnBoldUnderlinedArabicFont) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(Item(kWebLinkLabel), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lf.lfCharSet, 178);
    // The other labels keep the window's font.
    EXPECT_NE(SendMessageA(Item(kVersionLabel), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

TEST_F(AboutWindow, BackgroundPictureIsDrawnUnderTheLabels) {
    HWND w = about_.hwnd();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(w, &client);
    test_support::PumpMessages(50);
    HDC dc = GetDC(w);
    // The picture has a teal rule along its top edge.
    const COLORREF rule = GetPixel(dc, client.right / 2, 0);
    // A label's top-left pixel is background, as is the pixel just left of it.
    const RECT label = ChildRect(w, Item(kVersionLabel));
    const COLORREF in_label = GetPixel(dc, label.left, label.top);
    const COLORREF beside = GetPixel(dc, label.left - 1, label.top);
    ReleaseDC(w, dc);
    EXPECT_GT(GetBValue(rule), GetRValue(rule) + 60);
    EXPECT_NEAR(GetRValue(in_label), GetRValue(beside), 12);
    EXPECT_NEAR(GetGValue(in_label), GetGValue(beside), 12);
    EXPECT_NEAR(GetBValue(in_label), GetBValue(beside), 12);
}

TEST_F(AboutWindow, EnterEscapeAndOkHideTheWindowAndKeepIt) {
    HWND w = about_.hwnd();
    HWND ok = Item(IDOK);
    EXPECT_EQ(GetFocus(), ok);
    EXPECT_TRUE(GetWindowLongA(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        about_.Show();
        RunMessageLoop();
        ASSERT_TRUE(IsWindowVisible(w));
        HWND focus = GetFocus();
        PostMessageA(IsChild(w, focus) ? focus : ok, WM_KEYDOWN, key, 1);
        RunMessageLoop();
        EXPECT_FALSE(IsWindowVisible(w)) << "key " << key;
        EXPECT_TRUE(IsWindow(w));
        EXPECT_EQ(about_.hwnd(), w);
    }
    about_.Show();
    RunMessageLoop();
    test_support::Driver(w).Click(IDOK);
    RunMessageLoop();
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(about_.hwnd(), w);
    EXPECT_TRUE(opened_.empty());
}

TEST_F(AboutWindow, OnlyTheLinkReactsToAClickAndTheWindowStaysOpen) {
    HWND w = about_.hwnd();
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RunMessageLoop();
    for (int id : kLabels) {
        if (id != kWebLinkLabel) ClickAt(w, CentreOf(ChildRect(w, Item(id))));
    }
    ClickAt(w, POINT{4, 4});  // the picture
    EXPECT_TRUE(opened_.empty());

    ClickAt(w, CentreOf(ChildRect(w, Item(kWebLinkLabel))));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], "http://www.velmontix.example");
    EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(AboutWindow, HandCursorOverTheLinkOnly) {
    HWND w = about_.hwnd();
    const LPARAM over_client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    EXPECT_TRUE(SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(kWebLinkLabel)), over_client));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), over_client);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

// Through the main window, as the user opens it.
class AboutFromMainWindow : public ::testing::Test {
  protected:
    test_support::CleanSettings settings_;
    test_support::StartButtonRestorer start_button_;
};

TEST_F(AboutFromMainWindow, OneWindowUntilTheCloseBoxDestroysIt) {
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());
    auto about = [] { return test_support::FindOwnWindow(about_window::kAboutWindowClass); };
    EXPECT_EQ(about(), nullptr);
    const test_support::Driver main = form.driver();

    main.Click(main_window::kAboutButton);
    RunMessageLoop();
    HWND first = about();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsWindowVisible(first));
    main.Click(main_window::kAboutButton);
    RunMessageLoop();
    EXPECT_EQ(about(), first);
    EXPECT_EQ(WindowsOfClass(about_window::kAboutWindowClass).size(), 1u);

    // Hidden by OK, the same window comes back.
    test_support::Driver(first).Click(IDOK);
    EXPECT_FALSE(IsWindowVisible(first));
    main.Click(main_window::kAboutButton);
    EXPECT_EQ(about(), first);
    EXPECT_TRUE(IsWindowVisible(first));

    PostMessageA(first, WM_CLOSE, 0, 0);
    RunMessageLoop();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(WindowsOfClass(about_window::kAboutWindowClass).empty());

    main.Click(main_window::kAboutButton);
    RunMessageLoop();
    HWND second = about();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(WindowsOfClass(about_window::kAboutWindowClass).size(), 1u);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bit_count;
    DWORD bytes_in_res;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

TEST(ProgramIcon, HoldsFourSizesAtEightAndThirtyTwoBits) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found =
        FindResourceA(instance, MAKEINTRESOURCEA(IDI_PELMORA), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(instance, found);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    ASSERT_NE(bytes, nullptr);
    ASSERT_GE(size, sizeof(GroupIconHeader));
    const auto* header = reinterpret_cast<const GroupIconHeader*>(bytes);
    EXPECT_EQ(header->type, 1);
    ASSERT_EQ(header->count, 8);
    ASSERT_GE(size, sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(bytes + sizeof(GroupIconHeader));

    std::set<std::pair<int, int>> images;
    for (int i = 0; i < header->count; ++i) {
        const GroupIconEntry& e = entries[i];
        EXPECT_EQ(e.width, e.height);
        images.insert({e.width, e.bit_count});
        // Each entry points at a real image of the size it claims.
        HRSRC image = FindResourceA(instance, MAKEINTRESOURCEA(e.id), MAKEINTRESOURCEA(3) /* RT_ICON */);
        ASSERT_NE(image, nullptr) << "image " << e.id;
        EXPECT_EQ(SizeofResource(instance, image), e.bytes_in_res);
    }
    const std::set<std::pair<int, int>> expected{{48, 8},  {32, 8},  {24, 8},  {16, 8},
                                                 {48, 32}, {32, 32}, {24, 32}, {16, 32}};
    EXPECT_EQ(images, expected);
}

}  // namespace
