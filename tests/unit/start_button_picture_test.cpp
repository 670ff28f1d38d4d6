// The picture tool (tools/start_button_picture.cpp) run on the test desktop's real Start button, whose
// outline and label are set here directly and not through the settings: the picture shows what the
// shell's window holds, at its place in the taskbar.
#include <gtest/gtest.h>

#include <string>

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

// Runs the tool writing `picture`; its exit code, or -1 when it did not run to its end.
long RunTool(const std::wstring& picture) {
    std::wstring command = L"\"" + ToolPath() + L"\" \"" + picture + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

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

    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"pelmora-start-button-test.bmp";
    ASSERT_EQ(RunTool(path), 0);
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

}  // namespace
