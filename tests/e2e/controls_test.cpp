// The main window's controls used with the mouse and keyboard: position sliders, the label,
// "Make Opaque" and "Startup". Each check looks at the Start button, the taskbar or the registry.
#include "e2e/pelmora_process.h"

namespace e2e {
namespace {

using ControlsTest = PelmoraTest;

bool SettingIs(const char* name, const std::string& text) {
    return WaitUntil([&] { return ReadSetting(name) == std::optional<std::string>(text); }, 2000);
}

bool PlacedAt(int x, int y, int width, int height) {
    return WaitUntil(
        [&] {
            const RECT r = StartButtonPlacement();
            return r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height;
        },
        2000);
}

POINT RightArrow(HWND slider) {
    const RECT r = ScreenRect(slider);
    return POINT{r.right - (r.bottom - r.top) / 2, (r.top + r.bottom) / 2};
}

POINT LeftArrow(HWND slider) {
    const RECT r = ScreenRect(slider);
    return POINT{r.left + (r.bottom - r.top) / 2, (r.top + r.bottom) / 2};
}

HWND FocusOf(PelmoraProcess* p) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(p->Main(), nullptr), &info);
    return info.hwndFocus;
}

TEST_F(ControlsTest, SliderArrowTrackAndKeysPlaceTheButtonAndStoreTheirValue) {
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    ASSERT_TRUE(PlacedAt(0, 0, 100, 32));

    ASSERT_TRUE(ClickAt(RightArrow(p->Slider(2))));  // X, one step
    EXPECT_TRUE(SettingIs("PX1", "1"));
    EXPECT_EQ(p->SliderPos(2), 1);
    EXPECT_TRUE(PlacedAt(1, 0, 100, 32));

    const RECT y_track = ScreenRect(p->Slider(4));  // Y, one page: a click right of the thumb
    ASSERT_TRUE(ClickAt(
        POINT{y_track.left + (y_track.right - y_track.left) * 3 / 4, (y_track.top + y_track.bottom) / 2}));
    EXPECT_TRUE(SettingIs("PY1", "10"));
    EXPECT_EQ(p->SliderPos(4), 10);
    EXPECT_TRUE(PlacedAt(1, 10, 100, 32));

    // One slider re-applies all four positions, over whatever moved the button meanwhile.
    SetWindowPos(StartButton(), nullptr, 300, 2, 20, 5, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(ClickAt(LeftArrow(p->Slider(5))));  // height
    EXPECT_TRUE(SettingIs("PY2", "31"));
    EXPECT_TRUE(PlacedAt(1, 10, 100, 31));

    // The keyboard: Tab from the new-label box reaches the width slider after the current-label
    // box and both check boxes.
    ASSERT_TRUE(ClickAt(CenterOf(ScreenRect(p->NewLabelBox()))));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(p) == p->NewLabelBox(); }, 2000));
    ASSERT_TRUE(PressKeys("Tab Tab Tab Tab"));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(p) == p->Slider(3); }, 2000));
    ASSERT_TRUE(PressKeys("Right"));
    EXPECT_TRUE(SettingIs("PX2", "101"));
    EXPECT_TRUE(PlacedAt(1, 10, 101, 31));

    // Width 0: the button's window rectangle is empty.
    ASSERT_TRUE(PressKeys("Home"));
    EXPECT_TRUE(SettingIs("PX2", "0"));
    const RECT r = ScreenRect(StartButton());
    EXPECT_TRUE(IsRectEmpty(&r));
}

TEST_F(ControlsTest, TypedLabelReachesTheButtonAtOnceButIsStoredOnlyByTheLabelAction) {
    WriteSetting("Text", "Old");
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    ASSERT_EQ(WindowText(p->NewLabelBox()), "Old");
    ASSERT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Old"; }, 2000));

    ASSERT_TRUE(ClickAt(CenterOf(ScreenRect(p->NewLabelBox()))));
    ASSERT_TRUE(PressKeys("End shift+Home"));
    ASSERT_TRUE(TypeText("Fresh"));
    ASSERT_TRUE(WaitUntil([p] { return WindowText(p->NewLabelBox()) == "Fresh"; }, 2000));
    EXPECT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Fresh"; }, 1500));
    EXPECT_EQ(ReadSetting("Text"), "Old");

    ASSERT_TRUE(ClickAt(p->ApplyLabelPicture()));
    EXPECT_TRUE(SettingIs("Text", "Fresh"));
    // The reload fills the box with the stored label and reads the button's label anew.
    EXPECT_TRUE(WaitUntil([p] { return WindowText(p->NewLabelBox()) == "Fresh"; }, 2000));
    EXPECT_TRUE(WaitUntil([p] { return WindowText(p->CurrentLabelBox()) == "Fresh"; }, 2000));
    EXPECT_EQ(WindowText(StartButton()), "Fresh");
    EXPECT_TRUE(p->Shown());
}

TEST_F(ControlsTest, MakeOpaqueLayersTheTaskbarAndKeepsStoringTheAlphaWhileTicked) {
    WriteSetting("HS1", "200");
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    const LONG_PTR before = TaskbarExStyle();
    ASSERT_FALSE(before & WS_EX_LAYERED);
    HWND alpha_slider = p->Slider(1);
    ASSERT_FALSE(IsWindowVisible(alpha_slider));

    ASSERT_TRUE(ClickAt(CenterOf(ScreenRect(p->Check("Make Opaque")))));
    ASSERT_TRUE(WaitUntil([p] { return p->Checked("Make Opaque"); }, 2000));
    EXPECT_TRUE(IsWindowVisible(alpha_slider));
    EXPECT_TRUE(SettingIs("CheckMT", "1"));
    EXPECT_EQ(TaskbarExStyle(), before | WS_EX_LAYERED);  // one bit added, the rest kept
    EXPECT_EQ(TaskbarAlpha(), std::optional<BYTE>(200));

    ASSERT_TRUE(ClickAt(RightArrow(alpha_slider)));
    EXPECT_TRUE(SettingIs("HS1", "201"));
    EXPECT_TRUE(WaitUntil([] { return TaskbarAlpha() == std::optional<BYTE>(201); }, 2000));

    // While ticked, every tick stores the alpha again.
    DeleteSetting("HS1");
    EXPECT_TRUE(WaitUntil([] { return ReadSetting("HS1") == std::optional<std::string>("201"); }, 1600));

    ASSERT_TRUE(ClickAt(CenterOf(ScreenRect(p->Check("Make Opaque")))));
    ASSERT_TRUE(WaitUntil([p] { return !p->Checked("Make Opaque"); }, 2000));
    EXPECT_TRUE(SettingIs("CheckMT", "0"));
    EXPECT_FALSE(IsWindowVisible(alpha_slider));
    EXPECT_EQ(TaskbarAlpha(), std::optional<BYTE>(255));
    EXPECT_TRUE(TaskbarExStyle() & WS_EX_LAYERED);  // opaque means alpha 255, still layered
    DeleteSetting("HS1");
    Pause(1500);
    EXPECT_FALSE(ReadSetting("HS1"));  // unticked: the timer leaves it alone
    EXPECT_EQ(TaskbarAlpha(), std::optional<BYTE>(255));
}

TEST_F(ControlsTest, StartupWritesTheQuotedRunCommandAndStartsRewriteIt) {
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    const std::string exe = p->ModulePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(_stricmp(exe.c_str(), PelmoraExePath().c_str()), 0) << exe;
    const std::string expected = "\"" + exe + "\" /min";
    const POINT startup = CenterOf(ScreenRect(p->Check("Startup")));

    ASSERT_TRUE(ClickAt(startup));
    EXPECT_TRUE(WaitUntil([&] { return ReadRunValue() == std::optional<std::string>(expected); }, 2000));
    EXPECT_TRUE(SettingIs("Check", "1"));

    ASSERT_TRUE(ClickAt(startup));
    EXPECT_TRUE(SettingIs("Check", "0"));
    EXPECT_FALSE(ReadRunValue());

    // Unticking when someone else already removed the value.
    ASSERT_TRUE(ClickAt(startup));
    ASSERT_TRUE(SettingIs("Check", "1"));
    DeleteRunValue();
    ASSERT_TRUE(ClickAt(startup));
    EXPECT_TRUE(SettingIs("Check", "0"));
    EXPECT_FALSE(ReadRunValue());
    EXPECT_TRUE(p->Running());
    p->Kill();

    // A start with Check = 1 ticks the box and writes the entry for where the program is now.
    WriteSetting("Check", "1");
    WriteRunValue("\"C:\\old place\\Pelmora.exe\" /min");
    p = Launch();
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->Checked("Startup"));
    EXPECT_EQ(ReadRunValue(), expected);
    EXPECT_EQ(ReadSetting("Check"), "1");
}

}  // namespace
}  // namespace e2e
