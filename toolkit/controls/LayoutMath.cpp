#include "controls/LayoutMath.h"

#include <cstdint>

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

Point OriginInRect(Rect box, int width, int height, unsigned hAlign, unsigned vAlign)
{
    Point origin = OriginInBox(box.Width(), box.Height(), width, height, hAlign, vAlign);
    origin.x += box.left;
    origin.y += box.top + 2;
    return origin;
}

Rect ImageRectInBox(int imageWidth, int imageHeight, Rect box)
{
    const int64_t boxW = box.Width();
    const int64_t boxH = box.Height();
    int64_t w = imageWidth < 0 ? 0 : imageWidth;
    int64_t h = imageHeight < 0 ? 0 : imageHeight;
    const bool wider = w > boxW;
    const bool taller = h > boxH;
    if (wider && taller) {
        // The side whose ratio to the box is larger limits the scale.
        if (w * boxH > boxW * h) {
            h = h * boxW / w;
            w = boxW;
        } else {
            w = w * boxH / h;
            h = boxH;
        }
    } else if (wider) {
        h = h * boxW / w;
        w = boxW;
    } else if (taller) {
        w = w * boxH / h;
        h = boxH;
    }
    Rect image;
    image.left = box.left + static_cast<int>((boxW - w) / 2);
    image.top = box.top + static_cast<int>((boxH - h) / 2);
    image.right = image.left + static_cast<int>(w);
    image.bottom = image.top + static_cast<int>(h);
    return image;
}

int PositionItemValue(const PositionItem& item, int start, int end)
{
    const int v = static_cast<int>(item.value);
    switch (item.mode) {
    case 0:
        return item.fromEnd ? end - v : start + v;
    case 1: {
        const int middle = start + (end - start) / 2;
        return item.fromEnd ? middle - v : middle + v;
    }
    case 2: {
        const float position = static_cast<float>(start) + static_cast<float>(end - start) * item.value / 100.0f;
        const int result = static_cast<int>(position);
        return result > end ? end : result;
    }
    default:
        return 0;
    }
}

} // namespace Lumo::Layout
