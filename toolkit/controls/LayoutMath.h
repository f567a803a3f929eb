#pragma once

// Layout arithmetic shared by controls. Plain C++ without Windows headers, so
// it is also built natively for tests and fuzzing. Integer divisions truncate
// toward zero, as the layouts depend on it.
namespace Lumo::Layout {

struct Point {
    int x = 0;
    int y = 0;
};

// Horizontal codes: 0 left, 1 centre, 2 right. Vertical: 0 top, 4 centre, 8 bottom.
// Where a w × h item starts inside a W × H box.
Point OriginInBox(int boxWidth, int boxHeight, int width, int height, unsigned hAlign, unsigned vAlign);

} // namespace Lumo::Layout
