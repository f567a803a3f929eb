#include "lumo/CArea.h"

#include "controls/RenderFrame.h"
#include "lumo/MRender.h"

namespace Lumo {

namespace {

constexpr BYTE kFillAlpha = 0xFE; // not 255: the panel never counts as opaque GDI output

} // namespace

CArea::CArea(MObject* parent, UINT id, RECT rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1)
    , m_nDirection(1)
    , m_nStartTransparency(80)
    , m_nEndTransparency(80)
    , m_fillColor(RGB(255, 255, 255))
    , m_bFrame(0)
    , m_frameColor(0xFE050505)
{
}

const wchar_t* CArea::GetClassNameW() const { return L"CArea"; }

void CArea::SetTransparent(int startPct, int endPct, COLORREF colour)
{
    m_nStartTransparency = startPct;
    m_nEndTransparency = endPct;
    m_fillColor = colour;
    UpdateControl(1, 0);
}

void CArea::SetFrame(int frame, Gdiplus::Color colour, int)
{
    m_bFrame = frame;
    m_frameColor = colour.GetValue();
    UpdateControl(1, 0);
}

void CArea::SetDirection(int direction)
{
    if (direction == m_nDirection)
        return;
    m_nDirection = direction;
    UpdateControl(1, 0);
}

int CArea::GetDirection() const { return m_nDirection; }

int CArea::DrawControl(HDC& hdc, RECT)
{
    return DrawCachedRendering(hdc, [this](HDC cache, int width, int height) { Render(cache, width, height); });
}

void CArea::Render(HDC cache, int width, int height)
{
    const Gdiplus::Color fill(kFillAlpha, GetRValue(m_fillColor), GetGValue(m_fillColor), GetBValue(m_fillColor));
    Gdiplus::SolidBrush brush(fill);
    if (m_nStartTransparency != 0 || m_nEndTransparency != 0) {
        if (m_nDirection != 0 && m_nDirection != 1)
            return;
        // The fill on its own bitmap, then faded onto the cache row by row
        // (or column by column).
        HDC layer = ::CreateCompatibleDC(cache);
        HBITMAP bitmap = ::CreateCompatibleBitmap(cache, width, height);
        if (layer != nullptr && bitmap != nullptr) {
            HGDIOBJ previous = SelectObject(layer, bitmap);
            ::PatBlt(layer, 0, 0, width, height, BLACKNESS);
            {
                Gdiplus::Graphics graphics(layer);
                graphics.FillRectangle(&brush, 0, 0, width, height);
            }
            const RECT whole{0, 0, width, height};
            if (m_nDirection == 1)
                MRender::DrawVerticalTransition(cache, layer, whole, whole, m_nStartTransparency, m_nEndTransparency);
            else
                MRender::DrawHorizontalTransition(cache, layer, whole, whole, m_nStartTransparency, m_nEndTransparency);
            SelectObject(layer, previous);
        }
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (layer != nullptr)
            DeleteDC(layer);
        return;
    }
    Gdiplus::Graphics graphics(cache);
    if (m_bFrame) {
        Gdiplus::SolidBrush frame{Gdiplus::Color(m_frameColor)};
        graphics.FillRectangle(&frame, 0, 0, width, height);
        graphics.FillRectangle(&brush, 1, 1, width - 2, height - 2);
    } else {
        graphics.FillRectangle(&brush, 0, 0, width, height);
    }
}

} // namespace Lumo
