#include "app/device/SensorWatchdog.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct WatchdogRun {
    bool mapped;
    float liveness;
    int starts;
};

class Watchdog : public testing::TestWithParam<WatchdogRun> { };

TEST_P(Watchdog, TicksTwelveTimesThenNeverActsAgain)
{
    SensorWatchdog watchdog;
    int starts = 0;
    int stopTick = 0;
    for (int tick = 1; tick <= 20; ++tick) {
        const WatchdogStep step = watchdog.Tick(GetParam().mapped, GetParam().liveness);
        starts += step.startCompanion ? 1 : 0;
        if (step.stopTimer && stopTick == 0)
            stopTick = tick;
    }
    EXPECT_EQ(stopTick, 12);
    EXPECT_EQ(starts, GetParam().starts);
    EXPECT_EQ(watchdog.Ticks(), 12);
}

INSTANTIATE_TEST_SUITE_P(Records, Watchdog,
    testing::Values(WatchdogRun{false, 1.0f, 12}, WatchdogRun{true, 0.0f, 12}, WatchdogRun{true, -2.0f, 12},
        WatchdogRun{true, 1.5f, 0}, WatchdogRun{true, std::numeric_limits<float>::quiet_NaN(), 0}));

} // namespace
