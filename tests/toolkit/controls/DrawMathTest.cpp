#include "controls/DrawMath.h"

#include <gtest/gtest.h>

namespace {

using Lumo::Draw::Slice;

TEST(DrawMath, NineGridCopiesCornersAndStretchesTheRest)
{
    // A 24 × 24 source with an 8-pixel border into a 100 × 30 destination at (5, 7).
    const auto parts = Lumo::Draw::NineGrid({5, 7, 105, 37}, 0, 0, 24, 24, 8, 8, 8, 8);
    const Slice& topLeft = parts[0];
    EXPECT_EQ(topLeft.srcW, 8);
    EXPECT_EQ(topLeft.dstX, 5);
    EXPECT_EQ(topLeft.dstW, 8);
    EXPECT_EQ(topLeft.dstH, 8);
    const Slice& bottomRight = parts[6];
    EXPECT_EQ(bottomRight.srcX, 16);
    EXPECT_EQ(bottomRight.srcY, 16);
    EXPECT_EQ(bottomRight.dstX, 97);
    EXPECT_EQ(bottomRight.dstY, 29);
    EXPECT_EQ(bottomRight.dstW, 8);
    const Slice& topEdge = parts[3];
    EXPECT_EQ(topEdge.srcW, 8);
    EXPECT_EQ(topEdge.dstW, 84);
    EXPECT_EQ(topEdge.dstH, 8);
    const Slice& centre = parts[8];
    EXPECT_EQ(centre.srcX, 8);
    EXPECT_EQ(centre.srcH, 8);
    EXPECT_EQ(centre.dstX, 13);
    EXPECT_EQ(centre.dstY, 15);
    EXPECT_EQ(centre.dstW, 84);
    EXPECT_EQ(centre.dstH, 14);
    // The parts tile the destination exactly.
    int area = 0;
    for (const Slice& s : parts)
        area += s.dstW * s.dstH;
    EXPECT_EQ(area, 100 * 30);
}

TEST(DrawMath, NineGridWithSeparateBordersAndNothingToStretch)
{
    const auto parts = Lumo::Draw::NineGrid({0, 0, 30, 20}, 4, 0, 20, 10, 10, 5, 10, 5);
    EXPECT_EQ(parts[4].srcX, 14); // top-right column starts at srcX + srcW - right
    EXPECT_EQ(parts[4].dstX, 20);
    EXPECT_FALSE(parts[8].IsDrawable()); // the source has no centre left
    EXPECT_TRUE(parts[0].IsDrawable());
}

TEST(DrawMath, EqualTransparenciesBlendEveryRowAlike)
{
    for (int row = 0; row < 30; ++row)
        EXPECT_EQ(Lumo::Draw::TransitionAlpha(80, 80, 30, row), 51) << row;
}

TEST(DrawMath, OpaqueToTransparentFallsLinearlyFrom255)
{
    const int rows = 51;
    EXPECT_EQ(Lumo::Draw::TransitionAlpha(0, 100, rows, 0), 255);
    for (int row = 1; row < rows; ++row) {
        const int expected = static_cast<int>(255.0 - row * 5.0);
        EXPECT_EQ(Lumo::Draw::TransitionAlpha(0, 100, rows, row), expected) << row;
    }
    // Reversed, the same alphas rise from the opposite end.
    EXPECT_EQ(Lumo::Draw::TransitionAlpha(100, 0, rows, 0), 0);
    EXPECT_EQ(Lumo::Draw::TransitionAlpha(100, 0, rows, 10), 50);
}

TEST(DrawMath, TransitionPercentagesAreLimited)
{
    EXPECT_EQ(Lumo::Draw::TransitionAlpha(-20, 150, 10, 0), Lumo::Draw::TransitionAlpha(0, 100, 10, 0));
    EXPECT_EQ(Lumo::Draw::TransitionAlpha(20, 60, 0, 0), 255); // no rows
    EXPECT_EQ(Lumo::Draw::TransitionAlpha(20, 60, 4, 0), 204); // 80 % of 255
}

TEST(DrawMath, CornerFadeFallsWithDistance)
{
    EXPECT_EQ(Lumo::Draw::CornerFadeAlpha(10, 0, 0), 255);
    EXPECT_EQ(Lumo::Draw::CornerFadeAlpha(10, 3, 4), 127); // distance 5: half
    EXPECT_EQ(Lumo::Draw::CornerFadeAlpha(10, 9, 9), 0); // beyond n
}

TEST(DrawMath, TextBoxHeights)
{
    EXPECT_EQ(Lumo::Draw::TextBoxHeight(16.0f), 17);
    EXPECT_EQ(Lumo::Draw::TextBoxHeight(16.1f), 20);
    // A single line: the line box wins.
    EXPECT_EQ(Lumo::Draw::LayoutTextHeight(16.0f, 12.0f), 18);
    // Wrapped text taller than a line: its bounds plus margins.
    EXPECT_EQ(Lumo::Draw::LayoutTextHeight(16.0f, 40.5f), 47);
}

} // namespace
