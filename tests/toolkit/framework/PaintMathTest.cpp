#include "framework/PaintMath.h"

#include <gtest/gtest.h>

namespace {

using Lumo::Layout::Rect;
using namespace Lumo::PaintMath;

TEST(PaintMath, DefaultMessageBoxOfA400By300Client)
{
    EXPECT_EQ(DefaultMessageRect(Rect{0, 0, 400, 300}, 0), (Rect{100, 240, 300, 298}));
    EXPECT_EQ(DefaultMessageRect(Rect{0, 0, 401, 300}, 12), (Rect{100, 252, 300, 310}));
    EXPECT_EQ(ProgressBandRect(Rect{0, 0, 340, 250}), (Rect{0, 190, 340, 248}));
    EXPECT_EQ(ProgressBarWidth(50, 200), 90);
}

TEST(PaintMath, WheelNotches)
{
    const struct {
        int delta, count;
        unsigned direction;
    } cases[] = {{-240, 2, 1}, {240, 2, 0}, {60, 0, 1}, {-119, 0, 1}, {-360, 3, 1}, {130, 1, 0}};
    for (const auto& c : cases) {
        const WheelSteps steps = StepsOfWheel(c.delta);
        EXPECT_EQ(steps.count, c.count) << c.delta;
        EXPECT_EQ(steps.direction, c.direction) << c.delta;
    }
}

TEST(PaintMath, ControlTimerIdsRunFrom17ModuloTheRange)
{
    unsigned counter = 4096;
    std::vector<unsigned> ids;
    for (int i = 0; i < 225; ++i) {
        counter = NextControlTimerId(counter);
        ids.push_back(counter);
    }
    EXPECT_EQ(ids[0], 17u);
    EXPECT_EQ(ids[222], 239u);
    EXPECT_EQ(ids[223], 0u);
    EXPECT_EQ(ids[224], 1u);
}

TEST(PaintMath, BubbleAnchorUnderAControl)
{
    const Rect control{10, 20, 50, 40};
    EXPECT_EQ(BubbleAnchorX(control, 0), 10);
    EXPECT_EQ(BubbleAnchorX(control, 1), 30);
    EXPECT_EQ(BubbleAnchorX(control, 2), 50);
    EXPECT_EQ(BubbleAnchorX(control, 7), 10);
}

} // namespace
