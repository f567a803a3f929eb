#pragma once

#include "lumo/Export.h"
#include "lumo/MControl.h"
#include "lumo/Platform.h"

namespace Lumo {

// A translucent background panel drawn over whatever lies beneath it: a fill
// colour that fades from a start to an end transparency (top to bottom, or
// left to right), or, without transparency, a plain fill with an optional
// one-pixel frame. By default white at 20 % opacity.
class LUMO_API CArea : public MControl {
public:
    CArea(MObject* parent, UINT id, RECT rect, int visible, int enabled);

    const wchar_t* GetClassNameW() const override; // "CArea"
    int DrawControl(HDC& hdc, RECT clip) override;

    // Transparency in percent at the start and end edge (0 opaque, 100
    // invisible) and the fill colour. Repaints when visible.
    void SetTransparent(int startPct, int endPct, COLORREF colour);
    // A one-pixel border in `colour` around the fill; drawn only when both
    // transparencies are 0. The third argument is not used. Repaints when visible.
    void SetFrame(int frame, Gdiplus::Color colour, int unused);
    // 1 fades top to bottom, 0 left to right; any other value blends nothing.
    void SetDirection(int direction);
    int GetDirection() const;

private:
    void Render(HDC cache, int width, int height);

    int m_nDirection;
    int m_nStartTransparency;
    int m_nEndTransparency;
    COLORREF m_fillColor;
    int m_bFrame;
    Gdiplus::ARGB m_frameColor;
};

} // namespace Lumo
