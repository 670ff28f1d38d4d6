// Every user action is in the registry by the time its handler returns: each action is delivered
// with a synchronous message, and the process is killed the moment the message returns.
#include <thread>

#include "e2e/pelmora_process.h"

namespace e2e {
namespace {

using DurabilityTest = PelmoraTest;

HWND FindOwnTopLevel(DWORD pid, const char* window_class) {
    for (HWND w = FindWindowExA(nullptr, nullptr, window_class, nullptr); w;
         w = FindWindowExA(nullptr, w, window_class, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid) return w;
    }
    return nullptr;
}

LRESULT Send(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

// Runs `action`, kills the program as soon as it returns, and hands back the value then stored.
std::optional<std::string> StoredAfterKill(PelmoraProcess* p, const char* setting,
                                           const std::function<void()>& action) {
    action();
    TerminateProcess(p->Process(), 1);
    p->WaitForExit(5000);
    const std::optional<std::string> stored = ReadSetting(setting);
    p->Kill();  // closes the handles once the dead process's windows are gone
    return stored;
}

TEST_F(DurabilityTest, MainWindowActionsAreStoredBeforeTheirHandlersReturn) {
    struct Case {
        const char* setting;
        const char* expected;
        std::function<void(PelmoraProcess*)> act;
    };
    const Case cases[] = {
        {"PX1", "1",
         [](PelmoraProcess* p) {
             Send(p->Main(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(p->Slider(2)));
         }},
        {"PX2", "101",
         [](PelmoraProcess* p) {
             Send(p->Main(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(p->Slider(3)));
         }},
        {"PY1", "10",
         [](PelmoraProcess* p) {
             Send(p->Main(), WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(p->Slider(4)));
         }},
        {"PY2", "31",
         [](PelmoraProcess* p) {
             Send(p->Main(), WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(p->Slider(5)));
         }},
        {"CheckMT", "1", [](PelmoraProcess* p) { Send(p->Check("Make Opaque"), BM_CLICK, 0, 0); }},
        {"Text", "durable",
         [](PelmoraProcess* p) {
             Send(p->NewLabelBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("durable"));
             POINT at = p->ApplyLabelPicture();
             ScreenToClient(p->Main(), &at);
             Send(p->Main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
             Send(p->Main(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
         }},
        {"Check", "1", [](PelmoraProcess* p) { Send(p->Check("Startup"), BM_CLICK, 0, 0); }},
    };
    for (const Case& c : cases) {
        WipeSettings();
        PelmoraProcess* p = Launch();
        ASSERT_TRUE(p) << c.setting;
        EXPECT_EQ(StoredAfterKill(p, c.setting, [&] { c.act(p); }), std::optional<std::string>(c.expected))
            << c.setting;
    }
    EXPECT_TRUE(ReadRunValue().has_value()) << "the Run value was written with Check, the last case";
}

TEST_F(DurabilityTest, CustomizeWindowActionsAreStoredBeforeTheirHandlersReturn) {
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    HWND customize = p->OpenCustomizeWindow();
    ASSERT_TRUE(customize);
    HWND toolbar = FindWindowExA(customize, nullptr, "ToolbarWindow32", nullptr);
    ASSERT_TRUE(toolbar);
    // Button 3, "Rectangle": the toolbar reports it as its command identifier.
    EXPECT_EQ(StoredAfterKill(p, "Type",
                              [&] {
                                  Send(customize, WM_COMMAND, MAKEWPARAM(3003, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(toolbar));
                              }),
              std::optional<std::string>("Rectangle"));

    WipeSettings();
    p = Launch();
    ASSERT_TRUE(p);
    customize = p->OpenCustomizeWindow();
    HWND box = FindWindowExA(customize, nullptr, "Edit", nullptr);
    ASSERT_TRUE(box);
    EXPECT_EQ(
        StoredAfterKill(p, "Text2", [&] { Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hello")); }),
        std::optional<std::string>("Hello"));

    // Font Options opens a modal dialog: cancel it from here; the handler then writes the font.
    WipeSettings();
    p = Launch();
    ASSERT_TRUE(p);
    customize = p->OpenCustomizeWindow();
    HWND font_button = FindWindowExA(customize, nullptr, "Button", "Font Options");
    ASSERT_TRUE(font_button);
    const DWORD pid = p->Pid();
    std::thread cancel([pid] {
        HWND dialog = nullptr;
        WaitUntil([&] { return (dialog = FindOwnTopLevel(pid, "#32770")) != nullptr; }, 5000);
        if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(StoredAfterKill(p, "NFont", [&] { Send(font_button, BM_CLICK, 0, 0); }),
              std::optional<std::string>("Arial"));
    cancel.join();
    EXPECT_EQ(ReadSetting("BFont"), std::optional<std::string>("False"));
    EXPECT_EQ(ReadSetting("UFont"), std::optional<std::string>("False"));
}

}  // namespace
}  // namespace e2e
