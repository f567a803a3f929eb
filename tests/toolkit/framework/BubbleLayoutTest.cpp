#include "framework/BubbleLayout.h"

#include <gtest/gtest.h>

namespace {

using Lumo::Layout::Rect;

struct PlaceCase {
    int mode;
    Rect expected;
    int lines;
};

class BubblePlacement : public testing::TestWithParam<PlaceCase> { };

// Text "a\nb": two lines, tw 20, th 19, pointing at (100, 200).
TEST_P(BubblePlacement, ModeTable)
{
    const PlaceCase& c = GetParam();
    const auto p = Lumo::BubbleLayout::Place(c.mode, 100, 200, 20, 19, 2);
    EXPECT_EQ(p.rect, c.expected);
    EXPECT_EQ(p.lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Modes, BubblePlacement,
    testing::Values(PlaceCase{1, {100, 171, 160, 229}, 2}, // right, centred on the point
        PlaceCase{2, {40, 173, 100, 231}, 2}, // left
        PlaceCase{3, {75, 200, 135, 268}, 2}, // below
        PlaceCase{4, {75, 142, 125, 200}, 2}, // above, centred
        PlaceCase{5, {100, 190, 160, 193}, 0}, // right; two lines fewer
        PlaceCase{0, {0, 0, 0, 0}, 2}, PlaceCase{6, {0, 0, 0, 0}, 2})); // collapsed

} // namespace
