#include "lumo/CScrollHorizontal.h"

#include "controls/RenderFrame.h"
#include "lumo/PaintManager.h"

namespace Lumo {

namespace {

constexpr int kFrames = 4; // unused, thumb normal, thumb under the mouse, thumb dragged
constexpr int kCap = 6;
constexpr Gdiplus::ARGB kLineColour = 0xC8141414;

} // namespace

CScrollHorizontal::CScrollHorizontal(MObject* parent, UINT id, RECT rect, int visible)
    : MScroll(parent, id, rect, visible)
{
    SetRange();
}

int CScrollHorizontal::MoveRange(int delta) { return MoveThumb(false, delta); }
int CScrollHorizontal::SetRange() { return LayOutThumb(false, false); }
int CScrollHorizontal::OnControlMouseMove(UINT, POINT point) { return MouseMove(false, point); }
int CScrollHorizontal::OnControlLButtonDown(UINT, POINT point) { return MouseDown(false, point); }
int CScrollHorizontal::OnControlLButtonUp(UINT, POINT point) { return MouseUp(point); }

void CScrollHorizontal::InitControl(PaintManager* manager)
{
    if (manager == nullptr)
        return;
    if (manager->GetScrollHID() != 0)
        SetImage(manager->GetScrollHID(), L"PNG", 4);
    else
        SetImage(L"img_scroll_h.png", 1);
}

int CScrollHorizontal::TakeImage(ImgResInfo* entry)
{
    if (entry == nullptr || entry->m_image == nullptr)
        return 0;
    m_pImage = entry->m_image;
    m_nFrameCount = kFrames;
    m_nFrameWidth = static_cast<int>(m_pImage->GetWidth());
    m_nFrameHeight = static_cast<int>(m_pImage->GetHeight()) / kFrames;
    UpdateControl(1, 0);
    return 1;
}

int CScrollHorizontal::SetImage(const wchar_t* name, int count)
{
    if (m_pManager == nullptr || name == nullptr)
        return 0;
    return TakeImage(m_pManager->AddImgResInfo(name, count));
}

int CScrollHorizontal::SetImage(UINT id, std::wstring type, int count)
{
    if (m_pManager == nullptr)
        return 0;
    return TakeImage(m_pManager->AddImgResInfo(id, std::move(type), count, 0));
}

int CScrollHorizontal::DrawControl(HDC& hdc, RECT)
{
    return DrawCachedRendering(hdc, [this](HDC cache, int width, int height) {
        if (!m_bThumbShown)
            return;
        Gdiplus::Graphics graphics(cache);
        Gdiplus::Pen line{Gdiplus::Color(kLineColour), 1.0f};
        const auto middle = static_cast<Gdiplus::REAL>(height / 2);
        graphics.DrawLine(&line, 0.0f, middle, static_cast<Gdiplus::REAL>(width), middle);
        if (m_pImage == nullptr || m_nFrameWidth <= 0 || m_nFrameHeight <= 0)
            return;
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        const int index = m_nThumbState + 1;
        const RECT frame{0, index * m_nFrameHeight, m_nFrameWidth, (index + 1) * m_nFrameHeight};
        const RECT thumb{m_rcThumb.left - m_rcItem.left, 0, m_rcThumb.right - m_rcItem.left, height};
        RenderFrame::DrawThreeSlice(graphics, m_pImage, frame, thumb, false, kCap);
    });
}

} // namespace Lumo
