// The shell's own look remembered on its windows and given back ("/restore"), on stand-ins of this
// thread: the label, the atom table, every taskbar's layering, a top-level Start button.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/look_keeper.h"
#include "settings/names.h"
#include "shell/own_look.h"
#include "shell/restyler.h"
#include "shell/tray_icon.h"
#include "test_support.h"

namespace {

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
    // Another program's atoms of the label in other letter case; a class name is an atom too.
    const ATOM others[] = {GlobalAddAtomW(L"START HERE"), GlobalAddAtomW(L"LSTART HERE")};
    test_support::RegisterStandInClass(test_support::kStandInTaskbarClass);
    const std::set<std::wstring> before = GlobalAtoms();
    {
        StandInShell shell;
        const HWND button = shell.windows.button;
        SetWindowTextW(button, L"Start Here");
        shell.restyler.ApplyLabel("Go");
        EXPECT_TRUE(shell.Restore());
        EXPECT_EQ(test_support::WindowText(button), "Start Here");
        // A look an older version remembered (string-named, the label a global atom) is taken over.
        SetPropW(button, L"Pelmora.OwnLabel",
                 reinterpret_cast<HANDLE>(UINT_PTR{GlobalAddAtomW(L"LOld Own")}));
        shell.restyler.ApplyLabel("Go");
        EXPECT_EQ(GlobalAtoms(), before);
        EXPECT_TRUE(shell.Restore());
        EXPECT_EQ(test_support::WindowText(button), "Old Own");
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

TEST(OwnLook, EveryTaskbarIsOwedItsOwnOpacityUntilItTakesIt) {
    const HWND extra = test_support::MakeStandInTopLevel("Shell_SecondaryTrayWnd");  // without a Start button
    StandInShell shell;
    const HWND taskbar = shell.windows.taskbar;
    shell.restyler.ApplyAlpha(200);
    EXPECT_TRUE(core::HasAlpha(extra, 200));
    const LONG_PTR procedure =
        SetWindowLongPtrW(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepsItsLayering));
    EXPECT_FALSE(shell.Restore()) << "the layered style kept";
    SetWindowLongPtrW(taskbar, GWLP_WNDPROC, procedure);
    EXPECT_TRUE(shell.Restore());
    EXPECT_FALSE(Layered(taskbar) || Layered(extra));
    DestroyWindow(extra);

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

// "&Pause" gives the shell's own look back; what the shell refuses of it is given back at a later
// tick, not left on it; unticking puts the whole look back there and then, not at a later tick.
TEST(OwnLook, APauseGivesBackAtLaterTicksWhatTheShellRefusedAndUntickingAppliesTheLookAtOnce) {
    test_support::CleanSettings clean;
    test_support::Store(names::kLabel, "Go");
    test_support::Store(names::kShapeType, "Ellipse");
    test_support::Store(names::kMakeOpaque, "1");
    test_support::Store(names::kAlpha, "200");
    StandInShell shell;
    const HWND taskbar = shell.windows.taskbar, button = shell.windows.button;
    SetWindowTextW(button, L"Own");
    core::LookKeeper keeper(
        shell.finder, core::MakeTrayIconRecord(nullptr, nullptr),
        {[](core::ShellCalls&) { return true; }, [](DWORD, NOTIFYICONDATAW&) { return true; }});
    keeper.Handle(core::Load{core::ScreenMeasure{1024, 16}});
    keeper.Handle(core::Tick{});
    ASSERT_TRUE(core::HasAlpha(taskbar, 200) && test_support::HasRegion(button));
    const LONG_PTR procedure =
        SetWindowLongPtrW(taskbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepsItsLayering));
    keeper.Handle(core::PauseChosen{true});
    EXPECT_EQ(test_support::WindowText(button), "Own");
    EXPECT_FALSE(test_support::HasRegion(button));
    SetWindowLongPtrW(taskbar, GWLP_WNDPROC, procedure);
    keeper.Handle(core::Tick{});
    EXPECT_FALSE(Layered(taskbar));

    keeper.Handle(core::PauseChosen{false});
    EXPECT_EQ(test_support::WindowText(button), "Go");
    EXPECT_TRUE(test_support::HasRegion(button) && core::HasAlpha(taskbar, 200));
}

TEST(OwnLook, ATopLevelStartButtonComesBackOnItsTaskbarWhereverThatMoved) {
    StandInShell shell;
    const HWND orb =
        CreateWindowExA(0, "Button", "", WS_POPUP, 3, 702, 40, 36, nullptr, nullptr, nullptr, nullptr);
    shell.finder.start_button = [orb](HWND) { return orb; };  // Windows 7's, outside the taskbar
    core::Restyler restyler(shell.finder);
    restyler.FindShell();
    restyler.ApplyPlacement({5, 3, 50, 30});
    SetWindowPos(shell.windows.taskbar, nullptr, 0, 0, 40, 600,
                 SWP_NOZORDER | SWP_NOACTIVATE);  // to the left
    EXPECT_TRUE(shell.Restore());
    RECT place{}, own{3, 2, 43, 38};
    GetWindowRect(orb, &place);
    EXPECT_TRUE(EqualRect(&place, &own));
    DestroyWindow(orb);
}

}  // namespace
