#include "controls/LayoutMath.h"

#include <gtest/gtest.h>

namespace {

using Lumo::Layout::Rect;

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

TEST(LayoutMath, OriginInRectIsOffsetAndTwoPixelsLower)
{
    const auto origin = Lumo::Layout::OriginInRect(Rect{10, 20, 110, 70}, 40, 10, 1, 8);
    EXPECT_EQ(origin.x, 40);
    EXPECT_EQ(origin.y, 62);
}

struct ImageRectCase {
    int width, height;
    Rect box;
    Rect expected;
};

class ImageRectInBox : public testing::TestWithParam<ImageRectCase> { };

TEST_P(ImageRectInBox, FitsWithoutEverScalingUp)
{
    const ImageRectCase& c = GetParam();
    EXPECT_EQ(Lumo::Layout::ImageRectInBox(c.width, c.height, c.box), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageRectInBox,
    testing::Values(ImageRectCase{200, 100, {0, 0, 100, 100}, {0, 25, 100, 75}}, // wider: width limits
        ImageRectCase{100, 400, {0, 0, 100, 100}, {37, 0, 62, 100}}, // taller only
        ImageRectCase{300, 200, {0, 0, 200, 100}, {25, 0, 175, 100}}, // both exceed, height limits
        ImageRectCase{40, 20, {10, 10, 110, 110}, {40, 50, 80, 70}}, // smaller: kept and centred
        ImageRectCase{0, 0, {0, 0, 10, 10}, {5, 5, 5, 5}})); // nothing to show

TEST(LayoutMath, PositionItemModes)
{
    using Lumo::Layout::PositionItem;
    using Lumo::Layout::PositionItemValue;
    EXPECT_EQ(PositionItemValue(PositionItem{0, 0, 12.9f}, 100, 200), 112); // value truncated
    EXPECT_EQ(PositionItemValue(PositionItem{0, 1, 12.0f}, 100, 200), 188);
    EXPECT_EQ(PositionItemValue(PositionItem{1, 1, 10.0f}, 0, 101), 40);
    EXPECT_EQ(PositionItemValue(PositionItem{1, 0, 10.0f}, 0, 101), 60);
    EXPECT_EQ(PositionItemValue(PositionItem{2, 0, 150.0f}, 0, 200), 200); // clamped to end
    EXPECT_EQ(PositionItemValue(PositionItem{2, 0, 33.3f}, 10, 110), 43);
    EXPECT_EQ(PositionItemValue(PositionItem{7, 0, 10.0f}, 10, 110), 0);
}

} // namespace
