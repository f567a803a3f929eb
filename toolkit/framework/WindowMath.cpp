#include "framework/WindowMath.h"

namespace Lumo::WindowMath {

namespace {

int CentreAlong(int refStart, int refEnd, int extent, int areaStart, int areaEnd)
{
    int start = (refStart + refEnd) / 2 - extent / 2;
    if (start + extent > areaEnd)
        start = areaEnd - extent;
    if (start < areaStart)
        start = areaStart;
    return start;
}

} // namespace

Layout::Point CentredPosition(Layout::Rect window, Layout::Rect reference, Layout::Rect area)
{
    Layout::Point position;
    position.x = CentreAlong(reference.left, reference.right, window.Width(), area.left, area.right);
    position.y = CentreAlong(reference.top, reference.bottom, window.Height(), area.top, area.bottom);
    return position;
}

} // namespace Lumo::WindowMath
