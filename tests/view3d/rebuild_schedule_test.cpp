#include <gtest/gtest.h>

#include "view3d/rebuild_schedule.h"

namespace halvern {
namespace {

TEST(RebuildSchedule, AHiddenWindowBuildsNothingUntilShown)
{
    RebuildSchedule s;
    EXPECT_FALSE(s.changed());
    EXPECT_FALSE(s.changed());
    EXPECT_TRUE(s.set_visible(true)); // the design as it is now, once
    EXPECT_TRUE(s.building());
    EXPECT_FALSE(s.set_visible(true));
    EXPECT_FALSE(s.finished());
    EXPECT_FALSE(s.building());
    EXPECT_FALSE(s.set_visible(true)); // shown again without a change: nothing to build
}

TEST(RebuildSchedule, ChangesDuringABuildMakeOneMoreBuild)
{
    RebuildSchedule s;
    ASSERT_TRUE(s.set_visible(true));
    EXPECT_FALSE(s.changed());
    EXPECT_FALSE(s.changed());
    EXPECT_FALSE(s.changed());
    EXPECT_TRUE(s.pending());
    EXPECT_TRUE(s.finished()); // one build for the three changes
    EXPECT_FALSE(s.pending());
    EXPECT_FALSE(s.finished());
    EXPECT_TRUE(s.changed()); // idle: a change starts at once
}

TEST(RebuildSchedule, HidingDuringABuildKeepsTheChangeForLater)
{
    RebuildSchedule s;
    ASSERT_TRUE(s.set_visible(true));
    EXPECT_FALSE(s.changed());
    EXPECT_FALSE(s.set_visible(false));
    EXPECT_FALSE(s.finished());
    EXPECT_TRUE(s.pending());
    EXPECT_TRUE(s.set_visible(true));
}

} // namespace
} // namespace halvern
