// The look's owner without a window or a shell: what an event stores, what the look becomes,
// which parts it asks the windows to show again, and what it owes the notification area.
#include <gtest/gtest.h>

#include <utility>

#include "core/look_keeper.h"
#include "shell/tray_icon.h"
#include "settings/names.h"
#include "support/registry_support.h"
#include "support/temp_files.h"

namespace {

using core::ShownPart;
using test_support::Store;
using test_support::Stored;

core::ShellFinder NoShell() {
    core::ShellFinder none;
    none.taskbar = [] { return HWND{}; };
    none.start_button = [](HWND) { return HWND{}; };
    none.extras = [] { return std::vector<core::SecondaryTaskbar>{}; };
    none.notification_area = [] { return HWND{}; };
    return none;
}

// The label action stores the typed label and loads everything again; the X sliders reach as far
// as the screen then, and a stored X beyond that is brought back to it and stored so.
TEST(LookKeeper, TheLabelActionStoresItAndLoadsEverythingBackWithinTheScreen) {
    test_support::CleanSettings clean;
    core::LookKeeper keeper(NoShell(), core::MakeTrayIconRecord(nullptr, nullptr));
    Store(names::kX, "1500");
    EXPECT_TRUE(keeper.Handle(core::LabelTyped{"Go"}).Empty()) << "the box already shows what was typed";
    EXPECT_EQ(keeper.look().label, "Go");
    EXPECT_EQ(Stored(names::kLabel), "") << "typing stores nothing";

    const core::Shown shown = keeper.Handle(core::LabelApplied{"Go", core::ScreenMeasure{1024, 16}});
    EXPECT_EQ(Stored(names::kLabel), "Go");
    EXPECT_EQ(keeper.look().label, "Go") << "read back from the store";
    EXPECT_EQ(keeper.slider_ranges().x.max, 1018);
    EXPECT_EQ(keeper.look().placement.x, 1018);
    EXPECT_EQ(Stored(names::kX), "1018");
    for (ShownPart part :
         {ShownPart::kLabel, ShownPart::kX, ShownPart::kSliderRanges, ShownPart::kStartButtonLabel})
        EXPECT_TRUE(shown.Has(part)) << static_cast<int>(part);

    const core::Shown width = keeper.Handle(core::LookEdit{core::LookField::kWidth, 60});
    EXPECT_TRUE(width.Has(ShownPart::kWidth));
    EXPECT_FALSE(width.Has(ShownPart::kX));
    EXPECT_EQ(Stored(names::kWidth), "60");
}

// A shell restarting twice stops the restyling while its tray refuses (as at logon): each tick
// still makes again what the tray refused, and owes nothing for an icon already there.
TEST(LookKeeper, WhatTheTrayRefusedIsMadeAgainAtTheTickEvenWithRestylingStopped) {
    test_support::CleanSettings clean;
    UINT refused = ~0u;  // the calls the tray refuses, by their record's flags
    bool icon = false;
    std::vector<DWORD> calls;
    int balloons = 0;
    const auto notify = [&](DWORD message, NOTIFYICONDATAW& record) {
        calls.push_back(message);
        if (record.uFlags & refused) return false;
        if (message == NIM_ADD) return !std::exchange(icon, true);
        if (message == NIM_DELETE) return std::exchange(icon, false);
        balloons += icon && (record.uFlags & NIF_INFO);
        return icon;
    };
    DWORD shell = 1;
    core::ShellFinder finder = NoShell();
    finder.taskbar = [] { return reinterpret_cast<HWND>(1); };  // no window: only its maker counts
    finder.process_of = [&shell](HWND) { return shell; };
    core::LookKeeper keeper(finder, core::MakeTrayIconRecord(nullptr, nullptr),
                            {[](core::ShellCalls&) { return true; }, notify});
    keeper.Handle(core::Load{});
    for (shell = 2; shell <= 3; ++shell) keeper.Handle(core::TaskbarCreated{});
    refused = NIF_INFO;
    keeper.Handle(core::Tick{});
    refused = 0;
    keeper.Handle(core::Tick{});
    EXPECT_TRUE(icon && balloons == 1);
    keeper.Handle(core::TaskbarCreated{});  // the same shell: the add is refused, the icon is there
    calls.clear();
    keeper.Handle(core::Tick{});
    EXPECT_TRUE(calls.empty()) << "nothing owed";
    refused = ~0u;
    keeper.Handle(core::Ending{});
    EXPECT_EQ(calls, std::vector<DWORD>(core::kRemovalTries, NIM_DELETE));
}

// A busy shell can make an add and still time the call out: an icon still owed at the end goes too.
TEST(LookKeeper, AnIconStillOwedAtTheEndIsRemovedAllTheSame) {
    test_support::CleanSettings clean;
    bool icon = false;
    const auto notify = [&icon](DWORD message, NOTIFYICONDATAW&) {
        if (message == NIM_ADD) icon = true;  // made, and the call timed out
        return message == NIM_DELETE && std::exchange(icon, false);
    };
    core::LookKeeper keeper(NoShell(), core::MakeTrayIconRecord(nullptr, nullptr),
                            {[](core::ShellCalls&) { return true; }, notify});
    keeper.Handle(core::Load{});
    keeper.Handle(core::Ending{});
    EXPECT_FALSE(icon);
}

// A pause the person chose outlasts what ends a restarting shell's stop (a second start, the label
// action), which store and wait; only unticking it ends it.
TEST(LookKeeper, APauseThePersonChoseEndsOnlyWhenTheyUntickIt) {
    test_support::CleanSettings clean;
    core::LookKeeper keeper(NoShell(), core::MakeTrayIconRecord(nullptr, nullptr));
    keeper.Handle(core::Load{core::ScreenMeasure{1024, 16}});
    keeper.Handle(core::PauseChosen{true});
    keeper.Handle(core::Resume{});
    EXPECT_TRUE(keeper.paused());
    keeper.Handle(core::LabelApplied{"Go", core::ScreenMeasure{1024, 16}});
    EXPECT_TRUE(keeper.paused());
    EXPECT_EQ(Stored(names::kLabel), "Go");
    keeper.Handle(core::PauseChosen{false});
    EXPECT_FALSE(keeper.paused());
}

// A look file handed over while another event waits on the shell (here the tray's add in a load)
// is refused for now, nothing of it stored: the rest of that load would store its older values
// over the file's.
TEST(LookKeeper, ALookFileThatComesWhileAnotherEventWaitsIsRefusedForNow) {
    test_support::CleanSettings clean;
    const std::string path = test_support::TempPath("pelmora-keeper-busy.pelmora-look");
    test_support::WriteBytes(path, "[Pelmora look]\r\nPX1=30\r\n");
    core::LookKeeper* handing_over = nullptr;
    core::Shown nested;
    const auto notify = [&](DWORD message, NOTIFYICONDATAW&) {
        if (message == NIM_ADD && handing_over)
            nested = std::exchange(handing_over, nullptr)->Handle(core::LookOpened{path, {1024, 16}});
        return true;
    };
    core::LookKeeper keeper(NoShell(), core::MakeTrayIconRecord(nullptr, nullptr),
                            {[](core::ShellCalls&) { return true; }, notify});
    handing_over = &keeper;
    keeper.Handle(core::Load{core::ScreenMeasure{1024, 16}});
    EXPECT_TRUE(nested.busy());
    EXPECT_EQ(Stored(names::kX), "");
    DeleteFileA(path.c_str());
}

}  // namespace
