#pragma once

#include <cstdint>
#include <vector>

// The arithmetic of the computed drop shadow: the parent's shape as row
// spans, the erosion that makes room for a soft edge, the blur kernel, and
// the composition of the shadow bitmap. No Windows headers: tested natively.
namespace Lumo::ShadowMath {

// One row of a shape: [left, right), empty when left >= right.
struct RowSpan {
    int left = 0;
    int right = 0;
    bool IsEmpty() const { return left >= right; }
};

// An empty span that every max/min comparison of the erosion treats as empty.
RowSpan EmptySpan();

struct Params {
    int width = 0; // parent window size
    int height = 0;
    int size = 0; // how far the shadow extends beyond the parent, -35..35
    int sharpness = 5; // width of the soft edge, 0..35
    int darkness = 150; // maximum alpha, 0..255
    uint32_t colour = 0; // bits 16-23, 8-15 and 0-7 go to the same bits of a pixel
    int offsetX = 5; // shift of the shadow relative to the parent
    int offsetY = 5;
};

// A pixel of alpha `alpha` in the colour, premultiplied: each colour byte
// times alpha / 255 (truncating), alpha in the top byte.
uint32_t PremultipliedPixel(uint32_t colour, int alpha);

// The parent's rows moved down and right by `size`, with `size` empty rows
// above and below and one empty guard row at each end: height + 2 * size + 2 rows.
std::vector<RowSpan> ShadowRows(const std::vector<RowSpan>& parentRows, int size);

// One pass shrinks the shape by a pixel on every side; guard rows stay empty.
void Erode(std::vector<RowSpan>& rows, int passes);

// The (2R + 1)² blur kernel, R = max(sharpness, size), row by row.
std::vector<uint32_t> Kernel(const Params& params);

// The whole shadow bitmap, (width + 2 * size) × (height + 2 * size) pixels,
// top row first: the eroded shape filled with the core colour, soft edges
// stamped around it, and nothing where the parent window covers it. Empty
// when the bitmap would have no pixels.
std::vector<uint32_t> Compose(const std::vector<RowSpan>& parentRows, const Params& params);

} // namespace Lumo::ShadowMath
