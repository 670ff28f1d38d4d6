// The shell's own look remembered on its windows and given back ("/restore"), on stand-ins of this
// thread: the label letter for letter with nothing left in the atom table, a taskbar the shell had
// layered itself or that keeps its layering, a top-level Start button whose taskbar moved, a
// further taskbar without a Start button.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/own_look.h"
#include "shell/restyler.h"
#include "test_support.h"

namespace {

using test_support::WindowText;

// Every global atom's name: the table cannot be listed, so each string atom is asked for.
std::set<std::wstring> GlobalAtoms() {
    std::set<std::wstring> names;
    wchar_t name[256];
    for (UINT atom = 0xC000; atom <= 0xFFFF; ++atom)
        if (const UINT length = GlobalGetAtomNameW(static_cast<ATOM>(atom), name, 256)) names.emplace(name, length);
    return names;
}

bool Layered(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// The shell's windows as this thread stands them in, restyled by a restyler of their own.
struct StandInShell {
    test_support::StandInTaskbar windows = test_support::MakeStandInTaskbar();
    core::ShellFinder finder = test_support::FinderOf(windows.taskbar, windows.button);
    core::Restyler restyler{finder};
    StandInShell() { restyler.FindShell(); }
    ~StandInShell() { DestroyWindow(windows.taskbar); }
    core::GiveBack Restore() const { return core::GiveBackShellLook(finder); }
};

TEST(OwnLook, TheLabelComesBackLetterForLetterAndNoAtomStaysBehind) {
    const ATOM others[] = {GlobalAddAtomW(L"START HERE"), GlobalAddAtomW(L"LSTART HERE")};  // another program's
    test_support::RegisterStandInClass(test_support::kStandInTaskbarClass);  // a class name is an atom too
    const std::set<std::wstring> before = GlobalAtoms();
    {
        StandInShell shell;
        SetWindowTextW(shell.windows.button, L"Start Here");
        shell.restyler.ApplyLabel("Go");
        shell.restyler.ApplyLabel("Went");
        EXPECT_TRUE(shell.Restore().complete);
        EXPECT_EQ(WindowText(shell.windows.button), "Start Here");
        EXPECT_EQ(GlobalAtoms(), before);
        SetWindowTextW(shell.windows.button, L"Ends Restyled");
        shell.restyler.ApplyLabel("Go");
    }  // the shell's windows go with a look remembered on them
    EXPECT_EQ(GlobalAtoms(), before);
    for (ATOM atom : others) GlobalDeleteAtom(atom);
}

TEST(OwnLook, ALookAnOlderVersionRememberedIsTakenOverAndComesBack) {
    StandInShell shell;
    const std::set<std::wstring> before = GlobalAtoms();
    const HWND button = shell.windows.button;
    auto value = [](UINT_PTR number) { return reinterpret_cast<HANDLE>(number); };
    SetPropW(button, L"Pelmora.OwnLabel", value(GlobalAddAtomW(L"LOld Own")));
    SetPropW(button, L"Pelmora.OwnSize", value(MAKELONG(30, 20)));
    SetWindowTextW(button, L"Older's");
    shell.restyler.ApplyLabel("Go");
    EXPECT_EQ(GlobalAtoms(), before) << "its atoms go as soon as this version takes it over";
    EXPECT_TRUE(shell.Restore().complete);
    EXPECT_EQ(WindowText(button), "Old Own");
}

TEST(OwnLook, ATaskbarTheShellHadLayeredGetsItsOwnAlphaBackOnceItTakesIt) {
    StandInShell shell;
    const HWND taskbar = shell.windows.taskbar;
    SetWindowLongW(taskbar, GWL_EXSTYLE, GetWindowLongW(taskbar, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(taskbar, 0, 230, LWA_ALPHA);
    shell.restyler.ApplyAlpha(200);
    shell.restyler.ApplyAlpha(150);
    // Its layering taken off meanwhile: the system refuses the alpha.
    SetWindowLongW(taskbar, GWL_EXSTYLE, GetWindowLongW(taskbar, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_FALSE(shell.Restore().complete);
    shell.restyler.ApplyAlpha(180);  // a later run, which knows the shell's own alpha still
    EXPECT_TRUE(shell.Restore().complete);
    EXPECT_TRUE(core::HasAlpha(taskbar, 230));
}

LRESULT CALLBACK KeepsItsLayering(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_EXSTYLE))
        reinterpret_cast<STYLESTRUCT*>(lp)->styleNew |= WS_EX_LAYERED;
    return DefWindowProcW(window, msg, wp, lp);
}

TEST(OwnLook, ATaskbarThatKeepsItsLayeringIsOwedItsOpacity) {
    StandInShell shell;
    const HWND taskbar = shell.windows.taskbar;
    shell.restyler.ApplyAlpha(200);
    const LONG_PTR own_procedure =
        SetWindowLongPtrW(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepsItsLayering));
    EXPECT_FALSE(shell.Restore().complete);
    SetWindowLongPtrW(taskbar, GWLP_WNDPROC, own_procedure);
    EXPECT_TRUE(shell.Restore().complete);
    EXPECT_FALSE(Layered(taskbar));
}

TEST(OwnLook, ATopLevelStartButtonComesBackOnItsTaskbarWhereverThatMoved) {
    StandInShell shell;
    const HWND orb = test_support::MakeStandInTopLevel("Button");  // Windows 7's, outside the taskbar
    SetWindowPos(orb, nullptr, 3, 702, 40, 36, SWP_NOZORDER | SWP_NOACTIVATE);
    shell.finder.start_button = [orb](HWND) { return orb; };
    core::Restyler restyler(shell.finder);
    restyler.FindShell();
    restyler.ApplyPlacement({5, 3, 50, 30});
    restyler.ApplyPlacement({9, 1, 60, 20});
    SetWindowPos(shell.windows.taskbar, nullptr, 0, 0, 40, 600, SWP_NOZORDER | SWP_NOACTIVATE);  // to the left
    EXPECT_TRUE(core::GiveBackShellLook(shell.finder).complete);
    RECT place{};
    GetWindowRect(orb, &place);
    const RECT own{3, 2, 43, 38};
    EXPECT_TRUE(EqualRect(&place, &own));
    DestroyWindow(orb);
}

TEST(OwnLook, AFurtherTaskbarWithoutAStartButtonGetsTheAlphaAndItsOpacityBack) {
    const HWND extra = test_support::MakeStandInTopLevel("Shell_SecondaryTrayWnd");
    const core::ShellFinder finder = test_support::FinderOf(nullptr, nullptr);
    core::Restyler restyler(finder);
    restyler.FindShell();
    restyler.ApplyAlpha(200);
    EXPECT_TRUE(core::HasAlpha(extra, 200));
    EXPECT_TRUE(core::GiveBackShellLook(finder).complete);
    EXPECT_FALSE(Layered(extra));
    DestroyWindow(extra);
}

}  // namespace
