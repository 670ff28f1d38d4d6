// Every setting in every malformed form another tool (or a damaged registry) could leave: the
// program starts, each control falls back the way the settings table says, the timer ticks, and
// "&Exit" ends the run without a crash.
#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <cstring>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>

#include "app/form1.h"
#include "customize/form2.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "test_support.h"

namespace {

enum class Form {
    kMissing,
    kEmptyText,
    kNotANumber,
    kOutOfRange,  // beyond a 16-bit integer
    kNegative,
    kHugeText,  // 1 MB
    kDword,
    kDwordShort,  // REG_DWORD of 2 bytes
    kDwordLong,   // REG_DWORD of 8 bytes
    kBinary,
    kExpandSz,
    kMultiSz,
    kNoTerminator,  // a good text stored without its NUL
};

struct FormName {
    Form form;
    const char* name;
};
constexpr FormName kForms[] = {
    {Form::kMissing, "Missing"},     {Form::kEmptyText, "EmptyText"},   {Form::kNotANumber, "NotANumber"},
    {Form::kOutOfRange, "OutOfRange"}, {Form::kNegative, "Negative"},   {Form::kHugeText, "HugeText"},
    {Form::kDword, "Dword"},         {Form::kDwordShort, "DwordShort"}, {Form::kDwordLong, "DwordLong"},
    {Form::kBinary, "Binary"},       {Form::kExpandSz, "ExpandSz"},     {Form::kMultiSz, "MultiSz"},
    {Form::kNoTerminator, "NoTerminator"},
};

constexpr size_t kHugeSize = 1 << 20;

// A value each setting accepts, used for the forms that carry a good text in a bad wrapper.
struct Good {
    const char* text;
    std::optional<double> number;
};
Good GoodValue(const std::string& name) {
    if (name == names::kText) return {"Go", std::nullopt};
    if (name == names::kHS1) return {"128", 128};
    if (name == names::kPX1) return {"12", 12};
    if (name == names::kPX2) return {"60", 60};
    if (name == names::kPY1) return {"3", 3};
    if (name == names::kPY2) return {"20", 20};
    if (name == names::kType) return {"Ellipse", std::nullopt};
    if (name == names::kCheck || name == names::kCheckMT) return {"1", 1};
    if (name == names::kText2) return {"Pel", std::nullopt};
    if (name == names::kNFont) return {"Courier New", std::nullopt};
    if (name == names::kSFont) return {"14", 14};
    return {"True", -1};  // the four font flags
}

// What a reader of the setting gets: nothing (empty), or a text and the number it converts to.
struct Read {
    std::optional<std::string> text;  // empty when not set
    std::optional<double> number;     // what a numeric reader sees; empty converts to 0
};
Read ReadOf(Form form, const Good& good) {
    switch (form) {
        case Form::kDwordShort:
            // Its two bytes read as the integer 0 (the size is not checked, as a DWORD read
            // reports what it got); harmless either way.
            return {std::string("0"), 0.0};
        case Form::kMissing:
        case Form::kDwordLong:
        case Form::kBinary:
        case Form::kExpandSz:
        case Form::kMultiSz:
            return {std::nullopt, 0.0};
        case Form::kEmptyText:
            return {std::string(), std::nullopt};
        case Form::kNotANumber:
            return {std::string("abc"), std::nullopt};
        case Form::kOutOfRange:
            return {std::string("70000"), 70000.0};
        case Form::kNegative:
            return {std::string("-5"), -5.0};
        case Form::kHugeText:
            return {std::string(kHugeSize, 'x'), std::nullopt};
        case Form::kDword:
            return {std::string("7"), 7.0};
        case Form::kNoTerminator:
            return {std::string(good.text), good.number};
    }
    return {};
}

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, registry::kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetText(const char* name, const std::string& text) {
    SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void Store(const char* name, Form form, const Good& good) {
    const std::string text = good.text;
    switch (form) {
        case Form::kMissing:
            return;
        case Form::kEmptyText:
            return SetRaw(name, REG_SZ, "", 0);
        case Form::kNotANumber:
            return SetText(name, "abc");
        case Form::kOutOfRange:
            return SetText(name, "70000");
        case Form::kNegative:
            return SetText(name, "-5");
        case Form::kHugeText:
            return SetText(name, std::string(kHugeSize, 'x'));
        case Form::kDword: {
            const DWORD seven = 7;
            return SetRaw(name, REG_DWORD, &seven, 4);
        }
        case Form::kDwordShort: {
            const BYTE two[2] = {0, 0};
            return SetRaw(name, REG_DWORD, two, 2);
        }
        case Form::kDwordLong: {
            const BYTE eight[8] = {7, 0, 0, 0, 1, 0, 0, 0};
            return SetRaw(name, REG_DWORD, eight, 8);
        }
        case Form::kBinary:
            return SetRaw(name, REG_BINARY, text.data(), static_cast<DWORD>(text.size()));
        case Form::kExpandSz:
            return SetRaw(name, REG_EXPAND_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
        case Form::kMultiSz: {
            const std::string multi = text + '\0' + text + '\0' + '\0';
            return SetRaw(name, REG_MULTI_SZ, multi.data(), static_cast<DWORD>(multi.size()));
        }
        case Form::kNoTerminator: {
            // The byte after the counted text is not a NUL, so nothing can terminate it by chance.
            const std::string unterminated = text + "#";
            return SetRaw(name, REG_SZ, unterminated.data(), static_cast<DWORD>(text.size()));
        }
    }
}

bool HasRegion(HWND window) {
    win::unique_hrgn probe(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(window, probe.get()) != ERROR;
}

bool IsShortInt(double n) { return n >= -32768 && n <= 32767; }

// A slider that the load sets to a 16-bit copy: a number it cannot convert keeps the copy's
// previous value (0 at the first load), a number outside the slider's range keeps its own.
int SliderAfterLoad(const Read& r, int slider_initial, int max, double copy_initial = 0.0) {
    const double copy = r.number && IsShortInt(*r.number) ? *r.number : copy_initial;
    return copy >= 0 && copy <= max ? static_cast<int>(copy) : slider_initial;
}

// A slider the load sets only from a non-zero value (width and height).
int SliderSetWhenNonZero(const Read& r, int slider_initial, int max) {
    if (!r.number || !IsShortInt(*r.number) || *r.number == 0) return slider_initial;
    return *r.number >= 0 && *r.number <= max ? static_cast<int>(*r.number) : slider_initial;
}

bool FlagAfterLoad(const Read& r) { return r.number ? *r.number != 0 : false; }

std::string FaceAfterLoad(const Read& r) {
    return r.text && !r.text->empty() && r.text->size() < LF_FACESIZE ? *r.text : "Arial";
}

float SizeAfterLoad(const Read& r) {
    return r.number && *r.number > 0 && *r.number <= 2160 ? static_cast<float>(*r.number) : 8.0f;
}

bool RunValueExists() {
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, registry::kRunKey, 0, KEY_QUERY_VALUE, &run) != ERROR_SUCCESS) return false;
    const bool exists = RegQueryValueExA(run, registry::kRunValueName, nullptr, nullptr, nullptr, nullptr) == 0;
    RegCloseKey(run);
    return exists;
}

// Gives the test desktop's taskbar back the alpha and extended style it had.
class TaskbarRestorer {
public:
    TaskbarRestorer() : taskbar_(FindWindowA("Shell_TrayWnd", nullptr)) {
        ex_style_ = GetWindowLongA(taskbar_, GWL_EXSTYLE);
    }
    ~TaskbarRestorer() {
        if (!taskbar_) return;
        SetLayeredWindowAttributes(taskbar_, 0, 255, LWA_ALPHA);
        SetWindowLongA(taskbar_, GWL_EXSTYLE, ex_style_);
    }
    TaskbarRestorer(const TaskbarRestorer&) = delete;
    TaskbarRestorer& operator=(const TaskbarRestorer&) = delete;

private:
    HWND taskbar_;
    LONG ex_style_ = 0;
};

int g_exit_calls = 0;
UINT g_exit_code = 99;
void StubExitProcess(UINT code) {
    ++g_exit_calls;
    g_exit_code = code;
}

// One clean run of the program in-process: no settings before or after, the Start button and the
// taskbar given back their look.
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(restorer_.button(), nullptr) << "the test desktop has a Start button";
        SetWindowRgn(restorer_.button(), nullptr, TRUE);
        g_exit_calls = 0;
        g_exit_code = 99;
    }

    bool Start() {
        form_ = std::make_unique<app::Form1>();
        return form_->Create("");
    }
    void Tick(int n = 3) {
        for (int i = 0; i < n; ++i) form_->Timer1_Timer();
    }
    void ExitAndDestroy() {
        form_->SetExitProcess(StubExitProcess);
        form_->mPopExit_Click();
        EXPECT_EQ(g_exit_calls, 1);
        EXPECT_EQ(g_exit_code, 0u);
        form_.reset();
    }

    test_support::CleanSettings clean_;
    test_support::StartButtonRestorer restorer_;
    TaskbarRestorer taskbar_;
    std::unique_ptr<app::Form1> form_;
};

class BadSetting : public ProgramRun, public ::testing::WithParamInterface<std::tuple<const char*, FormName>> {};

bool IsFontSetting(const std::string& name) {
    for (const char* n : {names::kText2, names::kNFont, names::kSFont, names::kBFont, names::kIFont, names::kKFont,
                          names::kUFont})
        if (name == n) return true;
    return false;
}

TEST_P(BadSetting, LoadFallsBackTicksAndExits) {
    const std::string name = std::get<0>(GetParam());
    const Form form = std::get<1>(GetParam()).form;
    const Good good = GoodValue(name);
    const Read read = ReadOf(form, good);

    // The text outline's settings only matter while the outline is text-shaped.
    if (IsFontSetting(name)) {
        SetText(names::kType, "Text");
        if (name != names::kText2) SetText(names::kText2, "Pel");
    }
    Store(name.c_str(), form, good);

    ASSERT_TRUE(Start());
    app::Form1& f = *form_;
    HWND button = restorer_.button();
    ASSERT_EQ(f.StartButtonWnd(), button);

    if (name == names::kText) {
        // A megabyte label would go to the shell's button on every tick: the box keeps its beginning.
        EXPECT_EQ(f.Text1.Text(), read.text.value_or("").substr(0, app::kMaxLabelLength));
    } else if (name == names::kHS1) {
        // Absent or empty: the slider keeps its 255; a value that does not convert keeps it too.
        const bool absent = !read.text || read.text->empty();
        EXPECT_EQ(f.HScroll1.Value(), absent ? 255 : SliderAfterLoad(read, 255, 255, 255));
    } else if (name == names::kPX1) {
        EXPECT_EQ(f.HScroll2.Value(), SliderAfterLoad(read, 0, 2000));
    } else if (name == names::kPX2) {
        EXPECT_EQ(f.HScroll3.Value(), SliderSetWhenNonZero(read, 100, 2500));
    } else if (name == names::kPY1) {
        EXPECT_EQ(f.HScroll4.Value(), SliderAfterLoad(read, 0, 100));
    } else if (name == names::kPY2) {
        EXPECT_EQ(f.HScroll5.Value(), SliderSetWhenNonZero(read, 32, 100));
    } else if (name == names::kCheck) {
        const bool ticked = read.number && *read.number == 1;
        EXPECT_EQ(f.Check2.Value(), ticked ? 1 : 0);
        EXPECT_EQ(RunValueExists(), ticked);
    } else if (name == names::kCheckMT) {
        EXPECT_EQ(f.Check1.Value(), read.number && *read.number == 1 ? 1 : 0);
    } else if (name == names::kNFont) {
        EXPECT_EQ(f.CustomizeWindow().Font().name, FaceAfterLoad(read));
    } else if (name == names::kSFont) {
        EXPECT_FLOAT_EQ(f.CustomizeWindow().Font().size, SizeAfterLoad(read));
    } else if (name == names::kBFont) {
        EXPECT_EQ(f.CustomizeWindow().Font().bold, FlagAfterLoad(read));
    } else if (name == names::kIFont) {
        EXPECT_EQ(f.CustomizeWindow().Font().italic, FlagAfterLoad(read));
    } else if (name == names::kKFont) {
        EXPECT_EQ(f.CustomizeWindow().Font().strikethrough, FlagAfterLoad(read));
    } else if (name == names::kUFont) {
        EXPECT_EQ(f.CustomizeWindow().Font().underline, FlagAfterLoad(read));
    }

    Tick();

    if (name == names::kType) {
        // Only the good text in the unterminated form names a shape; the rest build nothing.
        EXPECT_EQ(HasRegion(button), form == Form::kNoTerminator);
    } else if (name == names::kText2) {
        // An empty outline text gives no region at all: the full rectangle.
        // A megabyte outline would be a glyph path per character on every tick: its beginning only.
        const bool glyphs = read.text && !read.text->empty();
        EXPECT_EQ(HasRegion(button), glyphs);
        EXPECT_EQ(f.CustomizeWindow().Text1.Text(), read.text.value_or("").substr(0, customize::kMaxOutlineTextLength));
    } else if (IsFontSetting(name)) {
        EXPECT_TRUE(HasRegion(button)) << "the outline of \"Pel\" in any font is a region";
    } else {
        EXPECT_FALSE(HasRegion(button)) << "no Type stored: no outline";
    }
    if (name == names::kText) {
        char label[512] = {};
        GetWindowTextA(button, label, sizeof label);
        EXPECT_EQ(std::string(label), read.text.value_or("").substr(0, app::kMaxLabelLength));
    }

    ExitAndDestroy();
}

std::string CaseName(const ::testing::TestParamInfo<BadSetting::ParamType>& info) {
    return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
}

// 16 settings x 13 forms: 208 cases.
INSTANTIATE_TEST_SUITE_P(EverySettingEveryForm, BadSetting,
                         ::testing::Combine(::testing::ValuesIn(names::kAll), ::testing::ValuesIn(kForms)), CaseName);

// The autostart value in odd forms: a tick of "Startup" at load replaces it with the command.
class OddRunValue : public ProgramRun, public ::testing::WithParamInterface<DWORD> {};

TEST_P(OddRunValue, StartupTickRewritesIt) {
    HKEY run = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, registry::kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &run,
                              nullptr),
              ERROR_SUCCESS);
    const std::string junk = GetParam() == REG_SZ ? std::string(kHugeSize, 'y') : std::string("junk\0\0", 6);
    RegSetValueExA(run, registry::kRunValueName, 0, GetParam(), reinterpret_cast<const BYTE*>(junk.data()),
                   GetParam() == REG_DWORD ? 4 : static_cast<DWORD>(junk.size()));
    SetText(names::kCheck, "1");

    ASSERT_TRUE(Start());
    EXPECT_EQ(form_->Check2.Value(), 1);
    DWORD type = 0;
    char command[1024] = {};
    DWORD size = sizeof command;
    ASSERT_EQ(RegQueryValueExA(run, registry::kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(command), &size),
              ERROR_SUCCESS);
    RegCloseKey(run);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::string text(command);
    EXPECT_EQ(text.front(), '"');
    EXPECT_NE(text.find(".exe\" /min"), std::string::npos) << text;
    Tick();
    ExitAndDestroy();
}

std::string RunValueCaseName(const ::testing::TestParamInfo<DWORD>& param_info) {
    std::ostringstream s;
    s << "Type" << param_info.param;
    return s.str();
}

INSTANTIATE_TEST_SUITE_P(Types, OddRunValue,
                         ::testing::Values(DWORD{REG_DWORD}, DWORD{REG_BINARY}, DWORD{REG_MULTI_SZ},
                                           DWORD{REG_EXPAND_SZ}, DWORD{REG_SZ}),
                         RunValueCaseName);

// A settings key that another tool made read-only (Wine checks registry ACLs): the stored values
// still load, every write fails silently, ticks go on.
TEST_F(ProgramRun, ReadOnlySettingsKey) {
    SetText(names::kType, "Ellipse");
    SetText(names::kHS1, "100");
    SetText(names::kCheckMT, "1");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, registry::kSettingsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR read_only = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &read_only,
                                                                     nullptr));
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, read_only), ERROR_SUCCESS);
    LocalFree(read_only);
    RegCloseKey(key);
    HKEY denied = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, registry::kSettingsKey, 0, registry::kAccess, &denied),
              ERROR_ACCESS_DENIED);

    ASSERT_TRUE(Start());
    EXPECT_EQ(form_->HScroll1.Value(), 100);
    EXPECT_EQ(form_->Check1.Value(), 1);
    form_->HScroll2.SetValue(5);  // writes PX1, which cannot be stored
    Tick();
    EXPECT_TRUE(HasRegion(restorer_.button()));
    EXPECT_TRUE(registry::ReadSetting(names::kPX1).IsEmpty());
    EXPECT_EQ(registry::ReadSetting(names::kHS1).ToInt16(), std::optional<int16_t>(100));
    ExitAndDestroy();
}

// The settings key deleted while the program runs: writes store nothing and do not bring the key
// back; the next load creates it again.
TEST_F(ProgramRun, SettingsKeyDeletedMidRun) {
    SetText(names::kType, "Ellipse");
    SetText(names::kCheckMT, "1");
    ASSERT_TRUE(Start());
    Tick(1);
    ASSERT_TRUE(HasRegion(restorer_.button()));

    test_support::DeleteKeyTree(registry::kSettingsKey);
    form_->HScroll2.SetValue(form_->HScroll2.Value() + 1);  // writes PX1
    form_->HScroll1.SetValue(200);                          // writes HS1
    Tick();  // writes HS1 each tick while "Make Opaque" is ticked; reads an absent Type
    EXPECT_FALSE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_TRUE(HasRegion(restorer_.button())) << "an unreadable Type keeps the outline already handed over";

    form_->Form_Load();
    EXPECT_TRUE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_TRUE(registry::ReadSetting(names::kType).IsEmpty());
    ExitAndDestroy();
}

}  // namespace
