// Texts outside the system's code page (Western, 1252, here) reach the Start button exactly: a
// Cyrillic label, and Cyrillic and Greek outline texts drawn from their own glyphs.
#include <gtest/gtest.h>

#include <string>

#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"
#include "win/handles.h"
#include "win/text.h"

namespace {

const std::string kCyrillic = "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA";  // Пуск
const std::string kGreek =
    "\xCE\x91\xCE\xA9\xCE\xA3\xCE\x94";  // ΑΩΣΔ: Alpha looks like A, the others like nothing in 1252

// The outline of `text` drawn directly with the wide functions, in the font the program draws with.
win::unique_hrgn ReferenceOutline(const std::string& text, const wchar_t* face, float points) {
    win::unique_hdc dc(CreateCompatibleDC(nullptr));
    SetBkMode(dc.get(), TRANSPARENT);
    LOGFONTW lf{};
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    lf.lfHeight = -static_cast<LONG>(points * GetDeviceCaps(dc.get(), LOGPIXELSY) / 72.0f + 0.5f);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    win::unique_hfont font(CreateFontIndirectW(&lf));
    win::unique_select_object select(dc.get(), font.get());
    const win::WideText wide(text);
    BeginPath(dc.get());
    TextOutW(dc.get(), 0, 0, wide.c_str(), static_cast<int>(wide.size()));
    EndPath(dc.get());
    return win::unique_hrgn(PathToRegion(dc.get()));
}

TEST(Unicode, CyrillicLabelAndOutlineTextsReachTheStartButtonExactly) {
    test_support::CleanSettings clean;
    test_support::StartButtonRestorer restore;
    registry::RegistryCreateKey(HKEY_CURRENT_USER, registry::kSettingsKey);
    registry::WriteSetting(names::kShapeType, settings::Value::Text("Text"));
    registry::WriteSetting(names::kFontFace, settings::Value::Text("Liberation Sans"));
    registry::WriteSetting(names::kFontSize, settings::Value::Text("20"));
    registry::WriteSetting(names::kLabel, settings::Value::Text(kCyrillic));
    test_support::RunningMainWindow form;
    ASSERT_TRUE(form.created());

    form.Tick();
    EXPECT_EQ(test_support::WindowText(restore.button()), kCyrillic);

    for (const std::string& text : {kCyrillic, kGreek}) {
        registry::WriteSetting(names::kOutlineText, settings::Value::Text(text));
        form.Tick();
        win::unique_hrgn applied(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(restore.button(), applied.get()), ERROR);
        win::unique_hrgn glyphs = ReferenceOutline(text, L"Liberation Sans", 20.0f);
        win::unique_hrgn questions = ReferenceOutline("????", L"Liberation Sans", 20.0f);
        ASSERT_TRUE(glyphs);
        EXPECT_TRUE(EqualRgn(applied.get(), glyphs.get())) << "the outline of the glyphs themselves";
        EXPECT_FALSE(EqualRgn(applied.get(), questions.get()));
    }
}

}  // namespace
