#include "framework/PaintMath.h"

namespace Lumo::PaintMath {

Layout::Rect DefaultMessageRect(Layout::Rect client, int offset)
{
    const int cx = client.Width() / 2;
    return Layout::Rect{cx - 100, client.bottom - 60 + offset, cx + 100, client.bottom - 2 + offset};
}

Layout::Rect ProgressBandRect(Layout::Rect client)
{
    return Layout::Rect{client.left, client.bottom - 60, client.right, client.bottom - 2};
}

int ProgressBarWidth(int progress, int messageWidth) { return progress * (messageWidth - 20) / 100; }

WheelSteps StepsOfWheel(int delta)
{
    const int steps = delta / 120;
    WheelSteps result;
    result.count = steps < 0 ? -steps : steps;
    result.direction = steps <= 0 ? 1u : 0u;
    return result;
}

unsigned NextControlTimerId(unsigned counter) { return (counter + 1) % 240; }

int BubbleAnchorX(Layout::Rect control, unsigned type)
{
    if (type == 1)
        return control.left + control.Width() / 2;
    if (type == 2)
        return control.right;
    return control.left;
}

} // namespace Lumo::PaintMath
