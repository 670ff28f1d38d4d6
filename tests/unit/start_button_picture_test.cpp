// The picture tool (tools/start_button_picture.cpp) run on the test desktop's real Start button, whose
// outline and label are set here directly and not through the settings: the picture shows what the
// shell's window holds, at its place in the taskbar.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/hanging_thread.h"
#include "test_support.h"
#include "win/handles.h"

namespace {

// The tool's path: it is built into the folder above this test program's.
std::wstring ToolPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.erase(path.find_last_of(L"\\/") + 1) + L"..\\" START_BUTTON_PICTURE_EXE;
}

// Runs the tool writing `picture` (then `arguments`): what it printed, or nothing when it failed or
// did not end in time (it is then ended).
std::optional<std::string> RunTool(const std::wstring& picture, const std::wstring& arguments = L"",
                                   DWORD timeout_ms = 60000) {
    std::wstring command = L"\"" + ToolPath() + L"\" \"" + picture + L"\" " + arguments;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherited, 0)) return std::nullopt;
    const win::unique_handle output(read);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    PROCESS_INFORMATION process{};
    const bool started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    if (!started) return std::nullopt;
    DWORD code = 1;
    if (WaitForSingleObject(process.hProcess, timeout_ms) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string printed;
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(output.get(), chunk, sizeof chunk, &got, nullptr) && got) printed.append(chunk, got);
    if (code != 0) return std::nullopt;
    return printed;
}

const std::wstring kPicture = [] {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"pelmora-start-button-test.bmp";
}();

TEST(StartButtonPicture, ShowsTheShellsOutlineAndLabelAtTheButtonsPlace) {
    test_support::CleanSettings clean;  // nothing stored: the picture can come from the windows only
    test_support::StartButtonRestorer restore;
    const HWND button = restore.button();
    ASSERT_NE(button, nullptr);
    RECT place{}, taskbar{};
    GetWindowRect(button, &place);
    GetWindowRect(GetParent(button), &taskbar);
    const int x = place.left - taskbar.left, y = place.top - taskbar.top;
    const int width = place.right - place.left, height = place.bottom - place.top;
    ASSERT_TRUE(SetWindowRgn(button, CreateEllipticRgn(0, 0, width, height), TRUE));
    ASSERT_TRUE(SetWindowTextW(button, L"Go"));

    const std::wstring& path = kPicture;
    ASSERT_TRUE(RunTool(path));
    const win::unique_hbitmap picture(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    DeleteFileW(path.c_str());
    ASSERT_TRUE(picture);
    const win::unique_hdc memory(CreateCompatibleDC(nullptr));
    const win::unique_select_object selected(memory.get(), picture.get());
    const HDC dc = memory.get();

    EXPECT_EQ(GetPixel(dc, x, y), GetSysColor(COLOR_BTNFACE))
        << "the ellipse leaves the corner to the taskbar";
    EXPECT_EQ(GetPixel(dc, x, y + height / 2), GetSysColor(COLOR_3DDKSHADOW)) << "the ellipse's rim";
    bool label = false;  // some of the label's ink in the middle of the button, far from the rim
    for (int across = width / 4; across < width * 3 / 4; ++across)
        for (int down = height / 4; down < height * 3 / 4; ++down)
            label = label || GetPixel(dc, x + across, y + down) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_TRUE(label);
}

// Its manifest asks for per-monitor awareness as Pelmora's does (else a scaled monitor's rectangles
// would reach it scaled and the region not), read as the system reads it when the tool starts.
// Wine makes every program per-monitor aware, so the tool's own awareness would tell nothing here.
TEST(StartButtonPicture, IsPerMonitorDpiAware) {
    const std::wstring tool = ToolPath();
    ACTCTXW manifest{};
    manifest.cbSize = sizeof manifest;
    manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.lpSource = tool.c_str();
    manifest.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    const HANDLE context = CreateActCtxW(&manifest);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "no manifest";
    wchar_t awareness[64] = {};
    QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                         L"dpiAwareness", awareness, 64, nullptr);
    ReleaseActCtx(context);
    EXPECT_STREQ(awareness, L"PerMonitorV2, PerMonitor");
}

// A shell whose Start button's thread hangs: the tool reads the button without a message, so it ends
// at once, with the label.
TEST(StartButtonPicture, ReadsTheLabelOfAShellThatIsNotAnswering) {
    test_support::StandInTaskbar stand_in;
    test_support::HangingThread shell([&stand_in] {
        stand_in = test_support::MakeStandInTaskbar();
        SetWindowTextW(stand_in.button, L"Hung");
        return stand_in.taskbar;
    });
    shell.Hang();
    wchar_t taskbar[32] = {};
    swprintf(taskbar, 32, L"%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(stand_in.taskbar)));
    const std::optional<std::string> printed = RunTool(kPicture, taskbar, 5000);  // hung for 15 s
    DeleteFileW(kPicture.c_str());
    ASSERT_TRUE(printed) << "the tool waited for the hung shell";
    EXPECT_NE(printed->find("label \"Hung\""), std::string::npos) << *printed;
}

}  // namespace
