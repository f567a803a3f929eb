#include "controls/LayoutMath.h"

namespace Lumo::Layout {

Point OriginInBox(int boxWidth, int boxHeight, int width, int height, unsigned hAlign, unsigned vAlign)
{
    Point origin;
    if (hAlign == 1)
        origin.x = (boxWidth - width) / 2;
    else if (hAlign == 2)
        origin.x = boxWidth - width;
    if (vAlign == 4)
        origin.y = (boxHeight - height) / 2;
    else if (vAlign == 8)
        origin.y = boxHeight - height;
    return origin;
}

} // namespace Lumo::Layout
