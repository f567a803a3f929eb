#include "controls/ScrollMath.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using namespace Lumo::ScrollMath;

struct ThumbCase {
    const char* what;
    int barLength;
    int maxRange;
    int page; // 0: derived from the bar
    int expectedPage;
    int expectedLength;
    bool shown;
};

class ThumbLayout : public testing::TestWithParam<ThumbCase> { };

TEST_P(ThumbLayout, LengthAndPageFollowTheBar)
{
    const ThumbCase& c = GetParam();
    const Bar bar{0, c.barLength, 0};
    const int page = c.page != 0 ? c.page : DerivedPage(c.barLength, c.maxRange);
    EXPECT_EQ(page, c.expectedPage) << c.what;
    const Thumb thumb = LayOut(bar, c.maxRange, 0, page, false, true);
    EXPECT_EQ(thumb.length, c.expectedLength) << c.what;
    EXPECT_EQ(thumb.start, 0) << c.what;
    EXPECT_EQ(thumb.shown, c.shown) << c.what;
}

INSTANTIATE_TEST_SUITE_P(ScrollMath, ThumbLayout,
    testing::Values(
        // 300 / 1000 × 300 = 90 is below 100, and the track is longer than 150.
        ThumbCase{"Bar300Defaults", 300, 1000, 0, 300, 100, true},
        ThumbCase{"Bar120TrackLess50", 120, 1000, 0, 120, 70, true},
        ThumbCase{"Bar80DerivesATenth", 80, 1000, 0, 100, 30, true},
        ThumbCase{"ShareAbove100", 600, 1000, 500, 500, 300, true},
        ThumbCase{"PageEqualsRange", 300, 1000, 1000, 1000, 300, false},
        ThumbCase{"PageBeyondRange", 300, 1000, 5000, 5000, 300, false},
        // Guards: an empty range and bars too short for the minimum thumb.
        ThumbCase{"EmptyRange", 300, 0, 0, 300, 300, false},
        ThumbCase{"Bar40NoNegativeLength", 40, 1000, 0, 100, 0, true}, ThumbCase{"EmptyBar", 0, 1000, 0, 100, 0, true}),
    [](const testing::TestParamInfo<ThumbCase>& info) { return std::string(info.param.what); });

TEST(ScrollMath, ThumbStartFollowsThePositionAndStaysOnTheBar)
{
    const Bar bar{10, 310, 0};
    EXPECT_EQ(LayOut(bar, 1000, 500, 300, false, true).start, 110); // half of 200 free pixels
    EXPECT_EQ(LayOut(bar, 1000, 1000, 300, false, true).start, 210);
    EXPECT_EQ(LayOut(bar, 1000, -50, 300, false, true).start, 10);
    // Beyond the maximum the vertical layout pulls the thumb back to the end
    // and recomputes the position from it; the horizontal one leaves it.
    const Thumb pulled = LayOut(bar, 1000, 4000, 300, false, true);
    EXPECT_EQ(pulled.start, 210);
    EXPECT_EQ(pulled.position, 1000);
    const Thumb left = LayOut(bar, 1000, 4000, 300, false, false);
    EXPECT_EQ(left.start, 310);
    EXPECT_EQ(left.position, 4000);
    // A huge position does not overflow.
    EXPECT_EQ(LayOut(bar, 1, INT_MAX, 0, false, true).start, 210);
}

TEST(ScrollMath, LayoutAgainstTheHiddenPartOfPixelContent)
{
    // Content 1300 pixels high in a 300-pixel bar: position 500 of the 1000
    // hidden pixels is half way.
    const Bar bar{0, 300, 0};
    EXPECT_EQ(LayOut(bar, 1300, 500, 300, true, true).start, 100);
    EXPECT_EQ(LayOut(bar, 1300, 500, 300, false, true).start, 76);
    // Content no taller than the bar: no division by zero or a negative
    // denominator, the thumb stays at the start.
    EXPECT_EQ(LayOut(bar, 300, 40, 300, true, true).start, 0);
    EXPECT_EQ(LayOut(bar, 200, 40, 300, true, true).start, 0);
}

TEST(ScrollMath, PositionFromThumbIsGuarded)
{
    const Bar bar{0, 300, 0};
    EXPECT_EQ(PositionFromThumb(bar, 1000, 100, 100), 500);
    EXPECT_EQ(PositionFromThumb(bar, 1000, 200, 100), 1000);
    // A thumb as long as the track, or an empty range: the start.
    EXPECT_EQ(PositionFromThumb(bar, 1000, 0, 300), 0);
    EXPECT_EQ(PositionFromThumb(bar, 0, 100, 100), 0);
    // Never negative, never beyond the maximum.
    EXPECT_EQ(PositionFromThumb(bar, 1000, -20, 100), 0);
    EXPECT_EQ(PositionFromThumb(bar, 1000, 260, 100), 1000);
    // Large ranges do not overflow.
    EXPECT_EQ(PositionFromThumb(bar, 2000000000, 100, 100), 1000000000);
}

TEST(ScrollMath, MovesStayOnTheTrack)
{
    const Bar bar{0, 300, 0};
    EXPECT_EQ(LimitMove(bar, 50, 100, 30), 30);
    EXPECT_EQ(LimitMove(bar, 150, 100, 90), 50);
    EXPECT_EQ(LimitMove(bar, 200, 100, 10), 0);
    EXPECT_EQ(LimitMove(bar, 20, 100, -90), -20);
    EXPECT_EQ(LimitMove(bar, 0, 100, -1), 0);
    EXPECT_EQ(LimitMove(bar, 10, 100, 0), 0);
    // A thumb already past the end never moves backwards on a forward move.
    EXPECT_EQ(LimitMove(bar, 250, 100, 10), 0);
}

TEST(ScrollMath, PagesAndFinalPosition)
{
    EXPECT_EQ(PageDistance(300, 300, 1000), 90);
    EXPECT_EQ(PageDistance(300, 300, 0), 0);
    EXPECT_EQ(FinalPosition(300, 0, 300, 1000), 1000);
    EXPECT_EQ(FinalPosition(300, 0, 1000, 1000), 1000); // thumb fills the track
    EXPECT_EQ(FinalPosition(300, 0, 300, 0), 0);
}

TEST(ScrollMath, ContentOffset)
{
    EXPECT_EQ(ContentOffset(1000, 200, 500, 1000), 400);
    EXPECT_EQ(ContentOffset(1000, 200, 1000, 1000), 800);
    EXPECT_EQ(ContentOffset(150, 200, 500, 1000), 0); // content fits
    EXPECT_EQ(ContentOffset(1000, 200, 500, 0), 0); // empty range
    EXPECT_EQ(ContentOffset(1000, 200, -30, 1000), 0); // positions out of range are limited
    EXPECT_EQ(ContentOffset(1000, 200, 3000, 1000), 800);
    EXPECT_EQ(ContentOffset(INT_MAX, 0, INT_MAX, INT_MAX), INT_MAX);
}

TEST(ScrollMath, ThreeSliceKeepsCapsUnscaled)
{
    const auto pieces = ThreeSlice(72, 10, 100, 6);
    EXPECT_EQ(pieces[0].src, 0);
    EXPECT_EQ(pieces[0].srcLength, 6);
    EXPECT_EQ(pieces[0].dst, 10);
    EXPECT_EQ(pieces[0].dstLength, 6);
    EXPECT_EQ(pieces[1].src, 6);
    EXPECT_EQ(pieces[1].srcLength, 60);
    EXPECT_EQ(pieces[1].dst, 16);
    EXPECT_EQ(pieces[1].dstLength, 88);
    EXPECT_EQ(pieces[2].src, 66);
    EXPECT_EQ(pieces[2].dst, 104);
    EXPECT_EQ(pieces[2].dstLength, 6);

    // Shorter than both caps: each cap gives half, no middle.
    const auto shortPieces = ThreeSlice(72, 0, 9, 6);
    EXPECT_EQ(shortPieces[0].dstLength, 4);
    EXPECT_FALSE(shortPieces[1].IsDrawable());
    EXPECT_EQ(shortPieces[2].dst, 4);
    EXPECT_EQ(shortPieces[2].dstLength, 5);
    EXPECT_EQ(shortPieces[2].src, 67);
    for (const Slice& s : ThreeSlice(0, 0, 50, 6))
        EXPECT_FALSE(s.IsDrawable());
}

} // namespace
