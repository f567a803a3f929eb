#pragma once

#include "controls/LayoutMath.h"

#include <array>

// Arithmetic of the drawing operations: nine-grid slicing, the alpha
// sequences of the fading blends and the text box heights. No Windows
// headers, so it is tested natively.
namespace Lumo::Draw {

// A source rectangle of an image and where it is drawn (x, y, width, height).
struct Slice {
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    int dstX = 0, dstY = 0, dstW = 0, dstH = 0;

    // Parts of zero or negative size are not drawn.
    bool IsDrawable() const { return srcW > 0 && srcH > 0 && dstW > 0 && dstH > 0; }
};

// The nine parts of a frame drawn from the source rectangle into dest with
// border columns left and right and border rows top and bottom. Corners are
// copied unscaled, edges stretched along their length, the centre both ways.
// Order: top-left, left edge, bottom-left, top edge, top-right, right edge,
// bottom-right, bottom edge, centre.
std::array<Slice, 9> NineGrid(
    Layout::Rect dest, int srcX, int srcY, int srcW, int srcH, int left, int top, int right, int bottom);

// Opacity of row (or column) `index` of `count` in a fade that runs from
// (100 - startPct) % of 255 to (100 - endPct) % of 255. Percentages outside
// 0..100 are limited to that range.
int TransitionAlpha(int startPct, int endPct, int count, int index);

// Opacity of the pixel (i, j) from the top-left of an n × n corner fade:
// 255 at the corner's origin, falling with the distance to 0 at n.
int CornerFadeAlpha(int n, int i, int j);

// Height of a one-line text box for a font with the given line height.
int TextBoxHeight(float lineHeight);

// Height of text laid out in a fixed width: the larger of the line box and
// the laid-out bounds, with the margins the controls expect.
int LayoutTextHeight(float lineHeight, float boundsHeight);

} // namespace Lumo::Draw
