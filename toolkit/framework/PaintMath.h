#pragma once

#include "controls/LayoutMath.h"

// Arithmetic of the paint manager and the dialog base, free of Windows headers.
namespace Lumo::PaintMath {

// The message box a dialog shows when given no rectangle: 200 pixels wide,
// centred on half the client width, in the band 60 to 2 pixels above the
// client's bottom, moved down by `offset`.
Layout::Rect DefaultMessageRect(Layout::Rect client, int offset);

// The progress overlay's default band: the client's bottom 60 to 2 pixels.
Layout::Rect ProgressBandRect(Layout::Rect client);

// Width of the progress bar inside a message box `messageWidth` wide.
int ProgressBarWidth(int progress, int messageWidth);

// The wheel turns in notches of 120: how many steps a delta makes and their
// direction (1 toward the end, when the wheel turns toward the user).
struct WheelSteps {
    int count = 0;
    unsigned direction = 0;
};
WheelSteps StepsOfWheel(int delta);

// The window-timer id handed out after `counter`: ids run 0 to 239.
unsigned NextControlTimerId(unsigned counter);

// x of a bubble's anchor under a control: its left edge (type 0 and any
// other), its centre (type 1) or its right edge (type 2).
int BubbleAnchorX(Layout::Rect control, unsigned type);

} // namespace Lumo::PaintMath
