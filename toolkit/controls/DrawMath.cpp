#include "controls/DrawMath.h"

#include <algorithm>
#include <cmath>

namespace Lumo::Draw {

namespace {

Slice MakeSlice(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh)
{
    Slice s;
    s.srcX = sx;
    s.srcY = sy;
    s.srcW = sw;
    s.srcH = sh;
    s.dstX = dx;
    s.dstY = dy;
    s.dstW = dw;
    s.dstH = dh;
    return s;
}

bool HasFraction(float value) { return value != static_cast<float>(static_cast<int>(value)); }

} // namespace

std::array<Slice, 9> NineGrid(
    Layout::Rect dest, int srcX, int srcY, int srcW, int srcH, int left, int top, int right, int bottom)
{
    const int dl = dest.left, dt = dest.top, dr = dest.right, db = dest.bottom;
    const int dw = dest.Width(), dh = dest.Height();
    const int midSrcW = srcW - left - right, midSrcH = srcH - top - bottom;
    const int midDstW = dw - left - right, midDstH = dh - top - bottom;
    const int srcRight = srcX + srcW - right, srcBottom = srcY + srcH - bottom;
    return {
        MakeSlice(srcX, srcY, left, top, dl, dt, left, top),
        MakeSlice(srcX, srcY + top, left, midSrcH, dl, dt + top, left, midDstH),
        MakeSlice(srcX, srcBottom, left, bottom, dl, db - bottom, left, bottom),
        MakeSlice(srcX + left, srcY, midSrcW, top, dl + left, dt, midDstW, top),
        MakeSlice(srcRight, srcY, right, top, dr - right, dt, right, top),
        MakeSlice(srcRight, srcY + top, right, midSrcH, dr - right, dt + top, right, midDstH),
        MakeSlice(srcRight, srcBottom, right, bottom, dr - right, db - bottom, right, bottom),
        MakeSlice(srcX + left, srcBottom, midSrcW, bottom, dl + left, db - bottom, midDstW, bottom),
        MakeSlice(srcX + left, srcY + top, midSrcW, midSrcH, dl + left, dt + top, midDstW, midDstH),
    };
}

int TransitionAlpha(int startPct, int endPct, int count, int index)
{
    startPct = std::clamp(startPct, 0, 100);
    endPct = std::clamp(endPct, 0, 100);
    const int e = 255 - std::min(startPct, endPct) * 255 / 100;
    const int f = (100 - std::max(startPct, endPct)) * 255 / 100;
    if (count <= 0)
        return 255;
    const double step = static_cast<double>(e - f) / count;
    const double alpha = startPct < endPct ? e - index * step : f + index * step;
    return static_cast<unsigned char>(static_cast<int>(alpha));
}

int CornerFadeAlpha(int n, int i, int j)
{
    if (n <= 0)
        return 0;
    const double distance = std::min(static_cast<double>(n), std::sqrt(static_cast<double>(i) * i + double(j) * j));
    return static_cast<int>(255.0 - 255.0 * distance / n);
}

int TextBoxHeight(float lineHeight) { return static_cast<int>(lineHeight) + (HasFraction(lineHeight) ? 4 : 1); }

int LayoutTextHeight(float lineHeight, float boundsHeight)
{
    const int t = static_cast<int>(lineHeight) + (HasFraction(lineHeight) ? 2 : 1);
    const int u = static_cast<int>(boundsHeight) + (HasFraction(boundsHeight) ? 2 : 1);
    return t < u ? u + 5 : t + 1;
}

} // namespace Lumo::Draw
