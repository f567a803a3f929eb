#pragma once

#include "controls/LayoutMath.h"

// Window placement arithmetic, free of Windows headers so it is tested natively.
namespace Lumo::WindowMath {

// Top-left corner that centres `window` on `reference` and keeps it inside
// `area`: pushed back from the right and bottom edges first, then from the
// left and top edges, so the top-left corner wins when the window is larger.
Layout::Point CentredPosition(Layout::Rect window, Layout::Rect reference, Layout::Rect area);

} // namespace Lumo::WindowMath
