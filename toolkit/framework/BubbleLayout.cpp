#include "framework/BubbleLayout.h"

namespace Lumo::BubbleLayout {

Placement Place(int mode, int x, int y, int tw, int th, int lines)
{
    const int h = lines * th;
    Placement p;
    p.lines = lines;
    Layout::Rect& r = p.rect;
    switch (mode) {
    case 1:
        r.left = x;
        r.top = y - h / 2 - 10;
        r.right = x + tw + 40;
        r.bottom = r.top + h + 20;
        break;
    case 2:
        r.left = x - tw - 40;
        r.top = y - 27;
        r.right = x;
        r.bottom = r.top + h + 20;
        break;
    case 3:
        r.left = x - 25;
        r.top = y;
        r.right = x + tw + 15;
        r.bottom = y + h + 30;
        break;
    case 4:
        r.left = x - (tw + 30) / 2;
        r.top = y - h - 20;
        r.right = r.left + tw + 30;
        r.bottom = y;
        break;
    case 5:
        r.left = x;
        r.top = y - 10;
        r.right = x + tw + 40;
        r.bottom = r.top + h - 35;
        p.lines = lines - 2;
        break;
    default:
        break;
    }
    return p;
}

} // namespace Lumo::BubbleLayout
