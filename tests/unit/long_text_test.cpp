// Texts far longer than a Start button can show, as another tool may store them: the label and
// the outline text are held to their limits, so a tick stays cheap and nothing hangs.
#include <gtest/gtest.h>

#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"

namespace {

using namespace test_support;

TEST(LongTexts, AMegabyteLabelIsHeldToTheLabelLengthAndKeptStored) {
    CleanSettings clean;
    StartButtonRestorer restorer;
    const std::string huge(1 << 20, 'x');
    ASSERT_TRUE(SetRawText(names::kLabel, huge));
    RunningMainWindow form;
    ASSERT_TRUE(form.created());
    EXPECT_EQ(form.driver().Text(main_window::kNewLabelBox), std::string(main_window::kMaxLabelLength, 'x'));
    form.Tick();
    char label[512] = {};
    GetWindowTextA(restorer.button(), label, sizeof label);
    EXPECT_EQ(std::string(label), std::string(main_window::kMaxLabelLength, 'x'));
    EXPECT_EQ(registry::ReadSetting(names::kLabel).RawText().size(), huge.size() + 1)
        << "only the label action stores a label";
}

TEST(LongTexts, AnOutlineTextBeyondItsLimitDrawsItsBeginning) {
    CleanSettings clean;
    StartButtonRestorer restorer;
    ASSERT_TRUE(SetRawText(names::kShapeType, "Text"));
    ASSERT_TRUE(SetRawText(names::kFontFace, "Tahoma"));
    ASSERT_TRUE(SetRawText(names::kFontSize, "10"));
    ASSERT_TRUE(SetRawText(names::kOutlineText, std::string(1 << 20, 'W')));
    RunningMainWindow form;
    ASSERT_TRUE(form.created());
    const Driver customize = form.OpenCustomize();
    EXPECT_EQ(customize.Text(customize_window::kOutlineTextBox),
              std::string(customize_window::kMaxOutlineTextLength, 'W'));
    // Each tick after the program's messages: building so long an outline may spend a tick's wait for
    // the shell, and the Start button's answer to the probe then comes back between ticks.
    for (int i = 0; i < 5; ++i) {
        PumpMessages(20);
        form.Tick();
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(restorer.button(), region), COMPLEXREGION);
    DeleteObject(region);
    // Typing cannot go past the limit either.
    EXPECT_EQ(SendMessageA(customize.Control(customize_window::kOutlineTextBox), EM_GETLIMITTEXT, 0, 0),
              static_cast<LRESULT>(customize_window::kMaxOutlineTextLength));
}

TEST(LongTexts, APasteBeyondTheLimitKeepsWholeCharacters) {
    HostWindow host;
    controls::TextBox box;
    ASSERT_TRUE(box.Create(host.hwnd(), RECT{0, 0, 200, 20}, 1, ""));
    box.SetMaxLength(main_window::kMaxLabelLength);
    std::wstring pasted = L"a";
    for (int i = 0; i < 130; ++i) pasted += L"\xD83D\xDE00";
    SendMessageW(box.hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    EXPECT_EQ(GetWindowTextLengthW(box.hwnd()), 253)
        << "1 letter and 126 emoji, without the half of the 127th";
}

}  // namespace
