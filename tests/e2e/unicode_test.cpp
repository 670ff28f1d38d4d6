// The program in a folder whose name the system's code page cannot hold: "Startup" stores the exact
// path, and that command line starts Pelmora hidden.
#include "e2e/pelmora_process.h"

#include "win/text.h"

namespace e2e {
namespace {

using UnicodeTest = PelmoraTest;

std::string RunValueAsStored() {
    wchar_t text[512] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"QVR",
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return win::Utf8(text, wcslen(text));
}

TEST_F(UnicodeTest, AutostartFromACyrillicFolderStoresItsExactPathAndStartsHidden) {
    // "Пользователь" (user)
    const std::string folder =
        "C:\\\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xB7\xD0\xBE"
        "\xD0\xB2\xD0\xB0\xD1\x82\xD0\xB5\xD0\xBB\xD1\x8C";
    const std::string exe = folder + "\\" PELMORA_EXE_NAME;
    CreateDirectoryW(win::Wide(folder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(win::Wide(PelmoraExePath()).c_str(), win::Wide(exe).c_str(), FALSE));
    UsePelmoraExe(exe);
    PelmoraProcess* p = Launch();
    UsePelmoraExe("");
    ASSERT_TRUE(p);
    ASSERT_TRUE(ClickAt(CenterOf(ScreenRect(p->Check("Startup")))));
    const std::string command = "\"" + exe + "\" /min";
    EXPECT_TRUE(WaitUntil([&] { return RunValueAsStored() == command; }, 3000)) << RunValueAsStored();
    p->Kill();

    PelmoraProcess logon;
    ASSERT_TRUE(logon.StartCommandLine(RunValueAsStored()));
    EXPECT_FALSE(logon.Shown());
    EXPECT_TRUE(TrayIconExists(logon.Main()));
    logon.Kill();
    DeleteFileW(win::Wide(exe).c_str());
    RemoveDirectoryW(win::Wide(folder).c_str());
}

}  // namespace
}  // namespace e2e
