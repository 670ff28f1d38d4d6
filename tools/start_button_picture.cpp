// start_button_picture <out.bmp> [taskbar]: draws the taskbar's Start button as the shell holds it
// (its region, label, place and size, read from the shell's own windows) into a 24-bit BMP the size
// of the taskbar, and prints what it read in one line. Wine's taskbar paints its own icon and
// "Start" over any label and ignores a child window's region, so its screen cannot show these.
// `taskbar`, a window handle in hexadecimal, draws that taskbar instead of the shell's (a test's
// stand-in, or a further monitor's taskbar).
//
// It is per-monitor DPI aware, as Pelmora is (start_button_picture.manifest): otherwise, on a scaled
// monitor, the system would scale the rectangles it reads but not the region. And it sends the
// shell's windows no message, so a shell that is not answering cannot hang it.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "shell/taskbar_search.h"
#include "win/handles.h"
#include "win/text.h"

namespace {

struct StartButton {
    RECT taskbar{};          // on the screen
    RECT place{};            // in the taskbar, as the picture's pixels
    win::unique_hrgn shape;  // in the picture's pixels: the region, or the whole rectangle
    const char* kind = "none";
    win::WideText label;
};

const char* KindName(int kind) {
    switch (kind) {
        case NULLREGION:
            return "empty";
        case SIMPLEREGION:
            return "rectangle";
        case COMPLEXREGION:
            return "complex";
        default:
            return "none";
    }
}

// The window's text as the system holds it, read as Pelmora reads the label: InternalGetWindowText
// never sends the window a message, wherever it lives (GetWindowText does, to this process's own).
win::WideText LabelOf(HWND button) {
    std::vector<wchar_t> text(256);
    for (;;) {
        const int length = InternalGetWindowText(button, text.data(), static_cast<int>(text.size()));
        // A text that fills the buffer may go on: it is read again with twice the room.
        if (length + 1 < static_cast<int>(text.size()) || text.size() >= 65536)
            return win::WideText(text.data(), static_cast<size_t>(length > 0 ? length : 0));
        text.resize(text.size() * 2);
    }
}

StartButton Read(HWND taskbar, HWND button) {
    StartButton read;
    GetWindowRect(taskbar, &read.taskbar);
    GetWindowRect(button, &read.place);
    OffsetRect(&read.place, -read.taskbar.left, -read.taskbar.top);
    read.shape.reset(CreateRectRgn(0, 0, 0, 0));
    const int kind = GetWindowRgn(button, read.shape.get());
    read.kind = KindName(kind);
    // A window without a region shows its whole rectangle.
    if (kind == ERROR)
        SetRectRgn(read.shape.get(), 0, 0, read.place.right - read.place.left,
                   read.place.bottom - read.place.top);
    OffsetRgn(read.shape.get(), read.place.left, read.place.top);
    read.label = LabelOf(button);
    return read;
}

// The taskbar's face with the button on it; a bottom-up 24-bit DIB section.
win::unique_hbitmap Draw(const StartButton& button, void** bits) {
    const int width = button.taskbar.right - button.taskbar.left;
    const int height = button.taskbar.bottom - button.taskbar.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    win::unique_hbitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    win::unique_hdc dc(CreateCompatibleDC(nullptr));
    if (!picture || !dc) return {};
    win::unique_select_object into(dc.get(), picture.get());
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    // A push button's face is the taskbar's: a dark rim shows the outline, thin letters too.
    FrameRgn(dc.get(), button.shape.get(), GetSysColorBrush(COLOR_3DDKSHADOW), 1, 1);
    SelectClipRgn(dc.get(), button.shape.get());
    win::unique_select_object font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
    RECT place = button.place;
    DrawTextW(dc.get(), button.label.c_str(), static_cast<int>(button.label.size()), &place,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    return picture;
}

bool WriteBmp(const wchar_t* path, int width, int height, const void* bits) {
    const DWORD row = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, row * height, 0, 0, 0, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    const HANDLE opened =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    win::unique_handle out(opened);
    DWORD written = 0;
    return WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
           WriteFile(out.get(), &info, sizeof info, &written, nullptr) &&
           WriteFile(out.get(), bits, info.biSizeImage, &written, nullptr) && written == info.biSizeImage;
}

void FreeArguments(wchar_t** arguments) { LocalFree(arguments); }

}  // namespace

// main, not wmain: the path comes from the wide command line, with every compiler's default entry point.
int main() {
    int argc = 0;
    const win::unique_any<wchar_t**, FreeArguments> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    HWND taskbar = nullptr;
    wchar_t* end = nullptr;
    if (argv && argc == 3)
        taskbar = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(argv.get()[2], &end, 16)));
    if (!argv || argc < 2 || argc > 3 || (argc == 3 && (*end || !IsWindow(taskbar)))) {
        std::fprintf(stderr, "usage: start_button_picture <out.bmp> [taskbar window, hexadecimal]\n");
        return 2;
    }
    // Without one, the shell's own taskbar and Start button, found as Pelmora finds them.
    if (!taskbar) taskbar = core::FindTaskbar();
    const HWND button = core::FindStartButton(taskbar);
    if (!button) {
        std::fprintf(stderr, "start_button_picture: %s\n",
                     taskbar ? "the taskbar has no Start button" : "no taskbar");
        return 1;
    }
    const StartButton read = Read(taskbar, button);
    RECT box{};
    GetRgnBox(read.shape.get(), &box);
    std::printf("taskbar %ldx%ld; start button at %ld,%ld size %ldx%ld; ",
                read.taskbar.right - read.taskbar.left, read.taskbar.bottom - read.taskbar.top,
                read.place.left, read.place.top, read.place.right - read.place.left,
                read.place.bottom - read.place.top);
    std::printf("region %s, box %ld,%ld %ldx%ld; label \"%s\"\n", read.kind, box.left - read.place.left,
                box.top - read.place.top, box.right - box.left, box.bottom - box.top,
                win::Utf8(read.label).c_str());
    void* bits = nullptr;
    const win::unique_hbitmap picture = Draw(read, &bits);
    if (!picture || !WriteBmp(argv.get()[1], read.taskbar.right - read.taskbar.left,
                              read.taskbar.bottom - read.taskbar.top, bits)) {
        std::fprintf(stderr, "start_button_picture: cannot write %s\n",
                     win::Utf8(argv.get()[1], std::wcslen(argv.get()[1])).c_str());
        return 1;
    }
    return 0;
}
