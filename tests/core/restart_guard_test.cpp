#include "look/restart_guard.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellRestartGuard, TripsOnTheSecondNewShellWithinThirtySecondsOnly) {
    core::ShellRestartGuard guard;
    EXPECT_FALSE(guard.Found(100, 0));      // the shell found at start
    EXPECT_FALSE(guard.Found(100, 1000));   // its "TaskbarCreated" again: no restart
    EXPECT_FALSE(guard.Found(0, 2000));     // no taskbar meanwhile
    EXPECT_FALSE(guard.Found(200, 3000));   // one restart
    EXPECT_FALSE(guard.Found(300, 40000));  // another, but 37 s later
    EXPECT_TRUE(guard.Found(400, 69000));   // a second within 30 s: stop
    EXPECT_TRUE(guard.Tripped());
    EXPECT_FALSE(guard.Found(500, 70000));  // said once
    guard.Resume();
    EXPECT_FALSE(guard.Tripped());
    EXPECT_FALSE(guard.Found(600, 71000));  // counted afresh
    EXPECT_TRUE(guard.Found(700, 72000));
}

}  // namespace
