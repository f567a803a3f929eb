#include "framework/ShadowMath.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Lumo::ShadowMath {

namespace {

// Far enough from any coordinate that +1/-1 never crosses.
constexpr int kFar = INT_MAX / 4;

void Stamp(std::vector<uint32_t>& bitmap, int width, int height, const std::vector<uint32_t>& kernel, int radius,
    int cx, int cy)
{
    const int side = 2 * radius + 1;
    for (int dy = -radius; dy <= radius; ++dy) {
        const int y = cy + dy;
        if (y < 0 || y >= height)
            continue;
        for (int dx = -radius; dx <= radius; ++dx) {
            const int x = cx + dx;
            if (x < 0 || x >= width)
                continue;
            const uint32_t value = kernel[static_cast<size_t>((dy + radius) * side + (dx + radius))];
            uint32_t& target = bitmap[static_cast<size_t>(y) * width + x];
            if (value > target)
                target = value;
        }
    }
}

} // namespace

RowSpan EmptySpan() { return RowSpan{kFar, -kFar}; }

uint32_t PremultipliedPixel(uint32_t colour, int alpha)
{
    const uint32_t a = static_cast<uint32_t>(std::clamp(alpha, 0, 255));
    const uint32_t r = ((colour >> 16) & 0xFF) * a / 255;
    const uint32_t g = ((colour >> 8) & 0xFF) * a / 255;
    const uint32_t b = (colour & 0xFF) * a / 255;
    return a << 24 | r << 16 | g << 8 | b;
}

std::vector<RowSpan> ShadowRows(const std::vector<RowSpan>& parentRows, int size)
{
    const int parentHeight = static_cast<int>(parentRows.size());
    const int shadowHeight = parentHeight + 2 * size;
    std::vector<RowSpan> rows(static_cast<size_t>(std::max(shadowHeight, 0) + 2), EmptySpan());
    for (int y = 0; y < parentHeight; ++y) {
        const int row = y + size;
        if (row < 0 || row >= shadowHeight || parentRows[static_cast<size_t>(y)].IsEmpty())
            continue;
        const RowSpan& span = parentRows[static_cast<size_t>(y)];
        rows[static_cast<size_t>(row + 1)] = RowSpan{span.left + size, span.right + size};
    }
    return rows;
}

void Erode(std::vector<RowSpan>& rows, int passes)
{
    if (rows.size() < 3)
        return;
    std::vector<RowSpan> previous;
    for (int pass = 0; pass < passes; ++pass) {
        previous = rows;
        for (size_t i = 1; i + 1 < rows.size(); ++i) {
            const RowSpan& above = previous[i - 1];
            const RowSpan& here = previous[i];
            const RowSpan& below = previous[i + 1];
            RowSpan eroded{std::max({above.left, here.left, below.left}) + 1,
                std::min({above.right, here.right, below.right}) - 1};
            rows[i] = eroded.IsEmpty() ? EmptySpan() : eroded;
        }
    }
}

std::vector<uint32_t> Kernel(const Params& params)
{
    const int radius = std::max(params.sharpness, params.size);
    const int core = params.size > params.sharpness ? params.size - params.sharpness : 0;
    const int side = 2 * radius + 1;
    std::vector<uint32_t> kernel(static_cast<size_t>(side) * side, 0);
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const double distance = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
            int alpha = 0;
            if (distance < core)
                alpha = params.darkness;
            else if (distance <= radius)
                alpha = static_cast<int>((1.0 - (distance - core) / (params.sharpness + 1)) * params.darkness);
            else
                continue;
            kernel[static_cast<size_t>((dy + radius) * side + (dx + radius))]
                = PremultipliedPixel(params.colour, alpha);
        }
    }
    return kernel;
}

std::vector<uint32_t> Compose(const std::vector<RowSpan>& parentRows, const Params& params)
{
    const int s = params.size;
    const int width = params.width + 2 * s;
    const int height = params.height + 2 * s;
    if (width <= 0 || height <= 0)
        return {};
    std::vector<uint32_t> bitmap(static_cast<size_t>(width) * height, 0);

    std::vector<RowSpan> rows = ShadowRows(parentRows, s);
    if (params.sharpness > s)
        Erode(rows, params.sharpness - s);
    const std::vector<uint32_t> kernel = Kernel(params);
    const int radius = std::max(params.sharpness, s);

    // Soft edges: the kernel on every pixel of the shape's outline.
    for (int row = 0; row < height; ++row) {
        const RowSpan& span = rows[static_cast<size_t>(row + 1)];
        if (span.IsEmpty())
            continue;
        const RowSpan& above = rows[static_cast<size_t>(row)];
        const RowSpan& below = rows[static_cast<size_t>(row + 2)];
        const int leftStop = std::min(std::max(above.left, below.left) + 1, span.right);
        for (int x = span.left; x < leftStop; ++x)
            Stamp(bitmap, width, height, kernel, radius, x, row);
        const int rightStart = std::max(std::min(above.right, below.right) - 1, leftStop);
        for (int x = rightStart; x < span.right; ++x)
            Stamp(bitmap, width, height, kernel, radius, x, row);
    }

    // Core of the shape.
    const uint32_t core = PremultipliedPixel(params.colour, params.darkness);
    for (int row = 0; row < height; ++row) {
        const RowSpan& span = rows[static_cast<size_t>(row + 1)];
        if (span.IsEmpty())
            continue;
        const int from = std::max(span.left, 0);
        const int to = std::min(span.right, width);
        for (int x = from; x < to; ++x)
            bitmap[static_cast<size_t>(row) * width + x] = core;
    }

    // Nothing behind the parent window itself.
    const int parentHeight = static_cast<int>(parentRows.size());
    for (int row = 0; row < height; ++row) {
        const int parentRow = row + params.offsetY - s;
        if (parentRow < 0 || parentRow >= parentHeight)
            continue;
        const RowSpan& span = parentRows[static_cast<size_t>(parentRow)];
        if (span.IsEmpty())
            continue;
        const int shift = s - params.offsetX;
        const int from = std::max(span.left + shift, 0);
        const int to = std::min(span.right + shift, width);
        for (int x = from; x < to; ++x)
            bitmap[static_cast<size_t>(row) * width + x] = 0;
    }
    return bitmap;
}

} // namespace Lumo::ShadowMath
