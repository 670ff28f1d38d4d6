// The shell's own look remembered on its windows and given back ("/restore"), on stand-ins of this
// thread: the label, the atom table, the taskbars' layering, a top-level Start button.
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
        if (const UINT length = GlobalGetAtomNameW(static_cast<ATOM>(atom), name, 256))
            names.emplace(name, length);
    return names;
}

bool Layered(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// The shell's windows as this thread stands them in, with a restyler of their own.
struct StandInShell {
    test_support::StandInTaskbar windows = test_support::MakeStandInTaskbar();
    core::ShellFinder finder = test_support::FinderOf(windows.taskbar, windows.button);
    core::Restyler restyler{finder};
    StandInShell() { restyler.FindShell(); }
    ~StandInShell() { DestroyWindow(windows.taskbar); }
    bool Restore() const { return core::GiveBackShellLook(finder).complete; }
};

TEST(OwnLook, TheLabelComesBackLetterForLetterAndNoAtomStaysBehind) {
    const ATOM others[] = {GlobalAddAtomW(L"START HERE"),
                           GlobalAddAtomW(L"LSTART HERE")};                  // another program's
    test_support::RegisterStandInClass(test_support::kStandInTaskbarClass);  // a class name is an atom too
    const std::set<std::wstring> before = GlobalAtoms();
    {
        StandInShell shell;
        const HWND button = shell.windows.button;
        SetWindowTextW(button, L"Start Here");
        shell.restyler.ApplyLabel("Go");
        shell.restyler.ApplyLabel("Went");
        EXPECT_TRUE(shell.Restore());
        EXPECT_EQ(WindowText(button), "Start Here");
        // A look an older version remembered (string-named, the label a global atom) is taken over.
        SetPropW(button, L"Pelmora.OwnLabel",
                 reinterpret_cast<HANDLE>(UINT_PTR{GlobalAddAtomW(L"LOld Own")}));
        shell.restyler.ApplyLabel("Go");
        EXPECT_EQ(GlobalAtoms(), before);
        EXPECT_TRUE(shell.Restore());
        EXPECT_EQ(WindowText(button), "Old Own");
        shell.restyler.ApplyLabel("Go");
    }  // the shell's windows go with a look remembered on them
    EXPECT_EQ(GlobalAtoms(), before);
    for (ATOM atom : others) GlobalDeleteAtom(atom);
}

LRESULT CALLBACK KeepsItsLayering(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGING && wp == static_cast<WPARAM>(GWL_EXSTYLE))
        reinterpret_cast<STYLESTRUCT*>(lp)->styleNew |= WS_EX_LAYERED;
    return DefWindowProcW(window, msg, wp, lp);
}

TEST(OwnLook, ATaskbarIsOwedItsOwnOpacityUntilItTakesIt) {
    StandInShell shell;
    const HWND taskbar = shell.windows.taskbar;
    shell.restyler.ApplyAlpha(200);
    const LONG_PTR procedure =
        SetWindowLongPtrW(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepsItsLayering));
    EXPECT_FALSE(shell.Restore()) << "the layered style kept";
    SetWindowLongPtrW(taskbar, GWLP_WNDPROC, procedure);
    EXPECT_TRUE(shell.Restore());
    EXPECT_FALSE(Layered(taskbar));

    // Layered by the shell itself, then changed several times; its layering taken off meanwhile, the
    // alpha is refused, and a later run still knows the shell's own.
    SetWindowLongW(taskbar, GWL_EXSTYLE, GetWindowLongW(taskbar, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(taskbar, 0, 230, LWA_ALPHA);
    shell.restyler.ApplyAlpha(200);
    shell.restyler.ApplyAlpha(150);
    SetWindowLongW(taskbar, GWL_EXSTYLE, GetWindowLongW(taskbar, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_FALSE(shell.Restore());
    shell.restyler.ApplyAlpha(180);
    EXPECT_TRUE(shell.Restore());
    EXPECT_TRUE(core::HasAlpha(taskbar, 230));
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
    SetWindowPos(shell.windows.taskbar, nullptr, 0, 0, 40, 600,
                 SWP_NOZORDER | SWP_NOACTIVATE);  // to the left
    EXPECT_TRUE(shell.Restore());
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
