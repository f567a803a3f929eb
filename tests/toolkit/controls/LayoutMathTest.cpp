#include "controls/LayoutMath.h"

#include <gtest/gtest.h>

namespace {

TEST(LayoutMath, OriginFollowsAlignmentCodes)
{
    using Lumo::Layout::OriginInBox;
    const auto centreBottom = OriginInBox(100, 50, 40, 10, 1, 8);
    EXPECT_EQ(centreBottom.x, 30);
    EXPECT_EQ(centreBottom.y, 40);
    const auto rightCentre = OriginInBox(100, 50, 40, 11, 2, 4);
    EXPECT_EQ(rightCentre.x, 60);
    EXPECT_EQ(rightCentre.y, 19); // (50 - 11) / 2 truncates
    const auto unknownCodes = OriginInBox(100, 50, 40, 10, 3, 5);
    EXPECT_EQ(unknownCodes.x, 0);
    EXPECT_EQ(unknownCodes.y, 0);
    // An item larger than the box starts before it; truncation is toward zero.
    EXPECT_EQ(OriginInBox(10, 10, 15, 15, 1, 4).x, -2);
}

} // namespace
