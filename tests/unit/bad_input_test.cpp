// Settings left malformed by another tool, a damaged Run value, a read-only or deleted settings key:
// the whole program starts, ticks and ends through "&Exit" without a crash.
#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <cstring>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>

#include "main_window/main_window.h"
#include "customize_window/customize_window.h"
#include "settings/names.h"
#include "settings/registry.h"
#include "support/bad_forms.h"
#include "test_support.h"

namespace {

using namespace bad_forms;

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
        main_window::Environment environment = test_support::TestEnvironment();
        environment.end_process = [](UINT code) {
            ++g_exit_calls;
            g_exit_code = code;
        };
        form_ = std::make_unique<test_support::RunningMainWindow>(std::move(environment));
        return form_->created();
    }
    // Ticks as the timer raises them, the program's messages dispatched in between: an answer from
    // the shell that came too late for one tick reaches the next one.
    void Tick(int n = 3) {
        for (int i = 0; i < n; ++i) {
            form_->Tick();
            test_support::PumpMessages(20);
        }
    }
    void ExitAndDestroy() {
        SendMessageW((*form_)->hwnd(), WM_COMMAND, main_window::kMenuExit, 0);  // "&Exit" chosen
        EXPECT_EQ(g_exit_calls, 1);
        EXPECT_EQ(g_exit_code, 0u);
        form_.reset();
    }

    test_support::CleanSettings clean_;
    test_support::StartButtonRestorer restorer_;
    TaskbarRestorer taskbar_;
    std::unique_ptr<test_support::RunningMainWindow> form_;
};

// What each malformed value becomes is the core's decision (tests/core); here every setting is
// stored in one malformed form at once, and the whole program loads, ticks and exits on it.
class EveryFormAtOnce : public ProgramRun, public ::testing::WithParamInterface<FormName> {};

TEST_P(EveryFormAtOnce, LoadTicksAndExit) {
    const Form form = GetParam().form;
    for (const char* name : names::kAll) EXPECT_TRUE(Store(name, form, GoodValue(name))) << name;

    ASSERT_TRUE(Start());
    Tick();
    // Only the unterminated good "Ellipse" names a shape; a megabyte label reaches the button cut.
    EXPECT_EQ(test_support::HasRegion(restorer_.button()), form == Form::kNoTerminator);
    char label[512] = {};
    GetWindowTextA(restorer_.button(), label, sizeof label);
    const Read read = ReadOf(form, GoodValue(names::kLabel));
    EXPECT_EQ(std::string(label), read.text.value_or("").substr(0, main_window::kMaxLabelLength));
    // "/import"'s message, which any process may send: one without its data is refused, not read.
    EXPECT_EQ(SendMessageW((*form_)->hwnd(), WM_COPYDATA, 0, 0), 0);
    ExitAndDestroy();
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryFormAtOnce, ::testing::ValuesIn(kForms),
                         [](const ::testing::TestParamInfo<FormName>& form) {
                             return std::string(form.param.name);
                         });

// The autostart value in odd forms: a tick of "Startup" at load replaces it with the command.
class OddRunValue : public ProgramRun, public ::testing::WithParamInterface<DWORD> {};

TEST_P(OddRunValue, StartupTickRewritesIt) {
    HKEY run = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, registry::kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &run, nullptr),
              ERROR_SUCCESS);
    const std::string junk = GetParam() == REG_SZ ? std::string(kHugeSize, 'y') : std::string("junk\0\0", 6);
    RegSetValueExA(run, registry::kRunValueName, 0, GetParam(), reinterpret_cast<const BYTE*>(junk.data()),
                   GetParam() == REG_DWORD ? 4 : static_cast<DWORD>(junk.size()));
    EXPECT_TRUE(test_support::SetRawText(names::kAutostart, "1"));

    ASSERT_TRUE(Start());
    EXPECT_EQ(form_->driver().Checked(main_window::kStartupBox), 1);
    DWORD type = 0;
    char command[1024] = {};
    DWORD size = sizeof command;
    ASSERT_EQ(RegQueryValueExA(run, registry::kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(command),
                               &size),
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
    EXPECT_TRUE(test_support::SetRawText(names::kShapeType, "Ellipse"));
    EXPECT_TRUE(test_support::SetRawText(names::kAlpha, "100"));
    EXPECT_TRUE(test_support::SetRawText(names::kMakeOpaque, "1"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, registry::kSettingsKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR read_only = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                     &read_only, nullptr));
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, read_only), ERROR_SUCCESS);
    LocalFree(read_only);
    RegCloseKey(key);
    HKEY denied = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, registry::kSettingsKey, 0, registry::kAccess, &denied),
              ERROR_ACCESS_DENIED);

    ASSERT_TRUE(Start());
    EXPECT_EQ(form_->driver().Position(main_window::kTransparencySlider), 100);
    EXPECT_EQ(form_->driver().Checked(main_window::kMakeOpaqueBox), 1);
    form_->driver().Drag(main_window::kXSlider, 5);  // writes PX1, which cannot be stored
    Tick();
    EXPECT_TRUE(test_support::HasRegion(restorer_.button()));
    EXPECT_TRUE(registry::ReadSetting(names::kX).IsEmpty());
    EXPECT_EQ(registry::ReadSetting(names::kAlpha).ToInt16(), std::optional<int16_t>(100));
    ExitAndDestroy();
}

// The settings key deleted while the program runs: writes store nothing and do not bring the key
// back; the next load creates it again.
TEST_F(ProgramRun, SettingsKeyDeletedMidRun) {
    EXPECT_TRUE(test_support::SetRawText(names::kShapeType, "Ellipse"));
    EXPECT_TRUE(test_support::SetRawText(names::kMakeOpaque, "1"));
    ASSERT_TRUE(Start());
    Tick(1);
    ASSERT_TRUE(test_support::HasRegion(restorer_.button()));

    test_support::DeleteKeyTree(registry::kSettingsKey);
    form_->driver().Scroll(main_window::kXSlider, SB_LINERIGHT);  // writes PX1
    form_->driver().Drag(main_window::kTransparencySlider, 200);  // writes HS1
    Tick();  // writes HS1 each tick while "Make Opaque" is ticked; reads an absent Type
    EXPECT_FALSE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_TRUE(test_support::HasRegion(restorer_.button()))
        << "an unreadable Type keeps the outline already handed over";

    form_->ApplyLabel();  // a label applied runs the load again
    EXPECT_TRUE(test_support::KeyExists(registry::kSettingsKey));
    EXPECT_TRUE(registry::ReadSetting(names::kShapeType).IsEmpty());
    ExitAndDestroy();
}

}  // namespace
