#pragma once

#include "controls/LayoutMath.h"

// Where a bubble tooltip sits for its text, free of Windows headers.
namespace Lumo::BubbleLayout {

struct Placement {
    Layout::Rect rect; // window rectangle in screen coordinates
    int lines = 1; // line count the bubble paints with
};

// The bubble's window for a text of `lines` lines, tw wide with line height
// th, pointing at (x, y). Modes: 1 right of the point, 2 left of it, 3 below
// it, 4 above it (centred), 5 right of it; any other mode collapses the
// bubble to an empty rectangle at (0, 0).
Placement Place(int mode, int x, int y, int tw, int th, int lines);

} // namespace Lumo::BubbleLayout
