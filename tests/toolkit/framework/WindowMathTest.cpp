#include "framework/WindowMath.h"

#include <gtest/gtest.h>

namespace {

using Lumo::Layout::Rect;
using Lumo::WindowMath::CentredPosition;

TEST(WindowMath, CentresOnTheReference)
{
    const auto p = CentredPosition(Rect{0, 0, 101, 51}, Rect{100, 100, 301, 201}, Rect{0, 0, 1000, 700});
    EXPECT_EQ(p.x, 150); // (100 + 301) / 2 - 101 / 2
    EXPECT_EQ(p.y, 125);
}

TEST(WindowMath, StaysInsideTheArea)
{
    // Centring on a reference near the right edge pushes the window back in.
    const auto pushed = CentredPosition(Rect{0, 0, 200, 100}, Rect{900, 600, 1000, 700}, Rect{0, 0, 1000, 700});
    EXPECT_EQ(pushed.x, 800);
    EXPECT_EQ(pushed.y, 600);
    // Larger than the area: the top-left corner wins.
    const auto larger = CentredPosition(Rect{0, 0, 1200, 900}, Rect{0, 0, 1000, 700}, Rect{10, 20, 1000, 700});
    EXPECT_EQ(larger.x, 10);
    EXPECT_EQ(larger.y, 20);
}

} // namespace
