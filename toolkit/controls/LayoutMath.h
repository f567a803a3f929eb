#pragma once

// Layout arithmetic shared by controls. Plain C++ without Windows headers, so
// it is also built natively for tests and fuzzing. Integer divisions truncate
// toward zero, as the layouts depend on it.
namespace Lumo::Layout {

struct Point {
    int x = 0;
    int y = 0;
};

// Left, top, right, bottom; right and bottom exclusive, as a Win32 RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Horizontal codes: 0 left, 1 centre, 2 right. Vertical: 0 top, 4 centre, 8 bottom.
// Where a w × h item starts inside a W × H box.
Point OriginInBox(int boxWidth, int boxHeight, int width, int height, unsigned hAlign, unsigned vAlign);

// The same inside a rectangle: offset by its top-left corner and 2 pixels lower,
// which puts text of a line box on the visual centre.
Point OriginInRect(Rect box, int width, int height, unsigned hAlign, unsigned vAlign);

// An image of imageWidth × imageHeight centred in box, scaled down uniformly
// when a side exceeds the box and never scaled up.
Rect ImageRectInBox(int imageWidth, int imageHeight, Rect box);

// A position along a range [start, end], as tab strips place their items.
// mode 0: value from the start (or from the end); mode 1: from the middle,
// forward (or back); mode 2: value percent of the range, at most end.
struct PositionItem {
    int mode = 0;
    int fromEnd = 0;
    float value = 0.0f;
};
int PositionItemValue(const PositionItem& item, int start, int end);

} // namespace Lumo::Layout
