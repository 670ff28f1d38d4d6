// The look's owner without a window or a shell: what an event stores, what the look becomes, and
// which parts it asks the windows to show again.
#include <gtest/gtest.h>

#include "core/look_keeper.h"
#include "shell/tray_icon.h"
#include "settings/names.h"
#include "support/registry_support.h"

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

}  // namespace
