// One Pelmora per session: a second start hands over to the running one and ends, so two never
// take turns placing the Start button.
#include "e2e/pelmora_process.h"

#include <tlhelp32.h>

#include <future>

#include "app/single_instance.h"
#include "main_window/main_window.h"
#include "support/temp_files.h"
#include "win/handles.h"
#include "win/text.h"

namespace e2e {
namespace {

using SingleInstanceTest = PelmoraTest;

constexpr DWORD kSecondStartTimeoutMs = 10000;

int RunningPelmoras() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, win::Wide(PELMORA_EXE_NAME).c_str()) == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

int MainWindows() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, main_window::kMainWindowClass, nullptr); w;
         w = FindWindowExA(nullptr, w, main_window::kMainWindowClass, nullptr))
        ++count;
    return count;
}

TEST_F(SingleInstanceTest, SecondStartShowsTheFirstWindowUnlessMinAndEnds) {
    PelmoraProcess* p = Launch();
    ASSERT_TRUE(p);
    PostMessageA(p->Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([p] { return !p->Shown(); }, 3000));

    EXPECT_EQ(RunToExit("", kSecondStartTimeoutMs), std::optional<DWORD>(0));
    EXPECT_TRUE(WaitUntil([p] { return p->Shown() && p->Foreground(); }, 3000));
    EXPECT_TRUE(p->Running());
    EXPECT_EQ(RunningPelmoras(), 1);
    // Each Pelmora icon belongs to a Pelmora main window (Wine's icons are no windows to count).
    EXPECT_EQ(MainWindows(), 1);
    EXPECT_TRUE(TrayIconExists(p->Main()));

    // The logon start's "/min" leaves a closed window closed.
    PostMessageA(p->Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([p] { return !p->Shown(); }, 3000));
    EXPECT_EQ(RunToExit("/min", kSecondStartTimeoutMs), std::optional<DWORD>(0));
    Pause(300);
    EXPECT_FALSE(p->Shown());
    EXPECT_EQ(RunningPelmoras(), 1);
}

// A Pelmora that has made its session mutex and not yet its window runs: "/exit" and "/restore"
// right after a start wait for its window and end it, rather than say none runs while it goes on
// ("/restore" gave the look back just before that one put it on again).
TEST_F(SingleInstanceTest, ExitAndRestoreRightAfterAStartEndThePelmoraStillStarting) {
    WriteSetting("Type", "Ellipse");
    for (const char* end_switch : {"/exit", "/restore"}) {
        SCOPED_TRACE(end_switch);
        PelmoraProcess starting;
        ASSERT_TRUE(starting.StartHeldBeforeItsWindow("/min"));
        auto ended = std::async(std::launch::async,
                                [end_switch] { return RunToExit(end_switch, kSecondStartTimeoutMs); });
        Pause(1000);  // the switch has looked, and found no window
        starting.ResumeStart();
        EXPECT_EQ(ended.get(), std::optional<DWORD>(0));
        EXPECT_TRUE(starting.WaitForExit(3000)) << "the Pelmora still starting was ended";
    }
    EXPECT_FALSE(StartButtonHasRegion()) << "the outline given back after that Pelmora ended";
}

// A first Pelmora of another token (started elevated) holds a mutex this user may not open: the
// second start must still see it and end, not fight it over the Start button.
TEST_F(SingleInstanceTest, SecondStartEndsWhenTheFirstOnesMutexDeniesIt) {
    SECURITY_DESCRIPTOR denies_all;
    ACL no_aces;
    ASSERT_TRUE(InitializeSecurityDescriptor(&denies_all, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(InitializeAcl(&no_aces, sizeof no_aces, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&denies_all, TRUE, &no_aces, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &denies_all, FALSE};
    const win::unique_handle foreign(
        CreateMutexW(&attributes, FALSE, win::Wide(app::kSessionMutexName).c_str()));
    ASSERT_TRUE(foreign);

    // No window comes to hand over to: it ends after its wait for one.
    EXPECT_EQ(RunToExit("/min", kSecondStartTimeoutMs), std::optional<DWORD>(0));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST_F(SingleInstanceTest, ALookExportedEditedAndImportedReachesTheRunningPelmoraAtOnce) {
    WriteSetting("Text", "Hey");
    WriteSetting("PX1", "10");
    WriteSetting("Type", "Rectangle");
    PelmoraProcess* p = Launch("/min");
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitUntil([] { return WindowText(StartButton()) == "Hey"; }, 2500));
    const std::string file = test_support::TempPath("pelmora e2e.pelmora-look");

    ASSERT_EQ(RunToExit("/export \"" + file + "\"", kSecondStartTimeoutMs), std::optional<DWORD>(0));
    const std::string exported = test_support::FileBytes(file);
    EXPECT_EQ(exported.rfind("[Pelmora look]\r\n", 0), 0u) << exported;
    EXPECT_NE(exported.find("\r\nText=Hey\r\n"), std::string::npos) << exported;
    EXPECT_EQ(exported.find("Check="), std::string::npos) << "Startup belongs to the machine";

    // A person edits it (a label outside the ANSI code page) and takes it back.
    test_support::WriteBytes(
        file, Replaced(Replaced(exported, "Text=Hey", "Text=\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA"), "PX1=10",
                       "PX1=30"));
    ASSERT_EQ(RunToExit("/import \"" + file + "\"", kSecondStartTimeoutMs), std::optional<DWORD>(0));
    // Loaded by the running one as at its start (its ticks alone never read the stored place).
    EXPECT_TRUE(WaitUntil([] { return StartButtonPlacement().left == 30; }, 2500));
    EXPECT_TRUE(
        WaitUntil([] { return WindowText(StartButton()) == "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA"; }, 1500));
    EXPECT_EQ(p->SliderPos(2), 30);  // the X slider
    EXPECT_EQ(ReadSetting("PX1"), std::optional<std::string>("30"));
    EXPECT_EQ(RunningPelmoras(), 1);

    // A file refused on one line stores none of it, and says why where it was asked.
    test_support::WriteBytes(file, "[Pelmora look]\r\nPX1=40\r\nPY1=lots\r\n");
    std::string said;
    EXPECT_EQ(RunToExit("/import \"" + file + "\"", kSecondStartTimeoutMs, &said), std::optional<DWORD>(1));
    EXPECT_NE(said.find("Line 3"), std::string::npos) << said;
    EXPECT_EQ(ReadSetting("PX1"), std::optional<std::string>("30"));
    std::string none_named;
    EXPECT_EQ(RunToExit("/import", kSecondStartTimeoutMs, &none_named), std::optional<DWORD>(1));
    EXPECT_NE(none_named.find("No file"), std::string::npos) << none_named;
    DeleteFileA(file.c_str());
    EXPECT_TRUE(p->Running());
}

}  // namespace
}  // namespace e2e
