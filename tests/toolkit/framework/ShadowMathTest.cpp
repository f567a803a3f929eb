#include "framework/ShadowMath.h"

#include <gtest/gtest.h>

namespace {

using namespace Lumo::ShadowMath;

std::vector<RowSpan> Rectangle(int width, int height) { return std::vector<RowSpan>(height, RowSpan{0, width}); }

int AlphaAt(const std::vector<uint32_t>& bitmap, int width, int x, int y)
{
    return static_cast<int>(bitmap[static_cast<size_t>(y) * width + x] >> 24);
}

TEST(ShadowMath, PremultipliedPixel)
{
    EXPECT_EQ(PremultipliedPixel(0x00FF8000, 128), 0x80804000u);
    EXPECT_EQ(PremultipliedPixel(0x00123456, 255), 0xFF123456u);
    EXPECT_EQ(PremultipliedPixel(0x00FFFFFF, 0), 0u);
}

TEST(ShadowMath, KernelHasACoreAndALinearEdge)
{
    Params p;
    p.size = 10;
    p.sharpness = 5;
    p.darkness = 150;
    const auto kernel = Kernel(p);
    const int radius = 10, side = 21;
    ASSERT_EQ(kernel.size(), static_cast<size_t>(side * side));
    auto alpha = [&](int dx, int dy) { return static_cast<int>(kernel[(dy + radius) * side + dx + radius] >> 24); };
    EXPECT_EQ(alpha(0, 0), 150);
    EXPECT_EQ(alpha(3, 4), 150); // distance 5: the start of the edge
    EXPECT_EQ(alpha(6, 0), 125); // (1 - 1/6) * 150
    EXPECT_EQ(alpha(10, 0), 24); // 24.99... truncated
    EXPECT_EQ(alpha(8, 8), 0); // beyond the radius
}

TEST(ShadowMath, RowsAreMovedBySizeWithGuardRows)
{
    const auto rows = ShadowRows(Rectangle(20, 10), 4);
    ASSERT_EQ(rows.size(), 10u + 8u + 2u);
    EXPECT_TRUE(rows.front().IsEmpty());
    EXPECT_TRUE(rows.back().IsEmpty());
    EXPECT_TRUE(rows[4].IsEmpty()); // shadow row 3
    EXPECT_EQ(rows[5].left, 4); // shadow row 4 = parent row 0
    EXPECT_EQ(rows[5].right, 24);
    EXPECT_FALSE(rows[14].IsEmpty());
    EXPECT_TRUE(rows[15].IsEmpty());
}

TEST(ShadowMath, ErosionShrinksByOnePixelPerPass)
{
    auto rows = ShadowRows(Rectangle(20, 10), 2);
    Erode(rows, 3);
    // Shadow rows 2..11 hold the shape; three passes leave rows 5..8, columns 5..18.
    for (int row = 0; row < 14; ++row) {
        const RowSpan& span = rows[static_cast<size_t>(row + 1)];
        if (row >= 5 && row <= 8) {
            EXPECT_EQ(span.left, 5) << row;
            EXPECT_EQ(span.right, 19) << row;
        } else {
            EXPECT_TRUE(span.IsEmpty()) << row;
        }
    }
    Erode(rows, 5); // eroded away entirely
    for (const RowSpan& span : rows)
        EXPECT_TRUE(span.IsEmpty());
}

TEST(ShadowMath, ComposedShadowIsOffsetWithACutOutBehindTheParent)
{
    Params p;
    p.width = 20;
    p.height = 10;
    p.size = 10;
    p.sharpness = 5;
    p.darkness = 150;
    p.colour = 0x00000000;
    const auto bitmap = Compose(Rectangle(20, 10), p);
    const int width = 40;
    ASSERT_EQ(bitmap.size(), 40u * 30u);
    // The shape spans x 10..29, rows 10..19; the parent covers x 5..24, rows 5..14.
    EXPECT_EQ(AlphaAt(bitmap, width, 27, 17), 150); // core, beside and below the parent
    EXPECT_EQ(AlphaAt(bitmap, width, 12, 12), 0); // behind the parent
    EXPECT_EQ(AlphaAt(bitmap, width, 7, 7), 0);
    EXPECT_EQ(AlphaAt(bitmap, width, 35, 12), 125); // 6 pixels right of the edge
    EXPECT_EQ(AlphaAt(bitmap, width, 2, 15), 75); // 8 pixels left of the edge
    EXPECT_EQ(AlphaAt(bitmap, width, 39, 29), 0); // beyond the corner's reach
    EXPECT_EQ(AlphaAt(bitmap, width, 0, 0), 0);
}

TEST(ShadowMath, ColourIsPremultipliedAndShapeFollowsTheRegion)
{
    // A parent whose top half is only its left half (an L shape).
    std::vector<RowSpan> parent(10, RowSpan{0, 20});
    for (int y = 0; y < 5; ++y)
        parent[static_cast<size_t>(y)] = RowSpan{0, 10};
    Params p;
    p.width = 20;
    p.height = 10;
    p.size = 6;
    p.sharpness = 0;
    p.darkness = 200;
    p.colour = 0x00FF0000;
    p.offsetX = 0;
    p.offsetY = 0;
    const auto bitmap = Compose(parent, p);
    const int width = 32;
    // Right of the narrow top rows, where the parent has no pixels: shadow.
    EXPECT_EQ(bitmap[static_cast<size_t>(8) * width + 20], PremultipliedPixel(0x00FF0000, 200));
    // Behind the parent: cut out.
    EXPECT_EQ(bitmap[static_cast<size_t>(8) * width + 10], 0u);
    EXPECT_EQ(bitmap[static_cast<size_t>(14) * width + 20], 0u);
}

TEST(ShadowMath, NothingToComposeForATooSmallBitmap)
{
    Params p;
    p.width = 20;
    p.height = 10;
    p.size = -10;
    EXPECT_TRUE(Compose(Rectangle(20, 10), p).empty());
}

} // namespace
