// One Pelmora per session: a second start hands over to the running one and ends, so two never
// take turns placing the Start button.
#include "e2e/pelmora_process.h"

#include <tlhelp32.h>

#include "app/single_instance.h"
#include "main_window/main_window.h"
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

    // "/min" hands nothing over, so it ends at once.
    EXPECT_EQ(RunToExit("/min", kSecondStartTimeoutMs), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace e2e
