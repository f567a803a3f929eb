#include "lumo/CScrollVertical.h"

#include "controls/RenderFrame.h"
#include "lumo/PaintManager.h"

namespace Lumo {

namespace {

constexpr int kFrames = 3; // track, thumb under the mouse, thumb otherwise
constexpr int kCap = 6;

} // namespace

CScrollVertical::CScrollVertical(MObject* parent, UINT id, RECT rect, int visible)
    : MScroll(parent, id, rect, visible)
{
    SetRange();
}

int CScrollVertical::MoveRange(int delta) { return MoveThumb(true, delta); }
int CScrollVertical::SetRange() { return LayOutThumb(true, false); }
int CScrollVertical::SetRangeEx() { return LayOutThumb(true, true); }
int CScrollVertical::OnControlMouseMove(UINT, POINT point) { return MouseMove(true, point); }
int CScrollVertical::OnControlLButtonDown(UINT, POINT point) { return MouseDown(true, point); }
int CScrollVertical::OnControlLButtonUp(UINT, POINT point) { return MouseUp(point); }

void CScrollVertical::InitControl(PaintManager* manager)
{
    if (manager == nullptr)
        return;
    if (manager->GetScrollVID() != 0)
        SetImage(manager->GetScrollVID(), L"PNG", 4);
    else
        SetImage(L"img_scroll_v.png", 1);
}

int CScrollVertical::TakeImage(ImgResInfo* entry)
{
    if (entry == nullptr || entry->m_image == nullptr)
        return 0;
    m_pImage = entry->m_image;
    m_nFrameCount = kFrames;
    m_nFrameWidth = static_cast<int>(m_pImage->GetWidth()) / kFrames;
    m_nFrameHeight = static_cast<int>(m_pImage->GetHeight());
    UpdateControl(1, 0);
    return 1;
}

int CScrollVertical::SetImage(const wchar_t* name, int count)
{
    if (m_pManager == nullptr || name == nullptr)
        return 0;
    return TakeImage(m_pManager->AddImgResInfo(name, count));
}

int CScrollVertical::SetImage(UINT id, std::wstring type, int count)
{
    if (m_pManager == nullptr)
        return 0;
    return TakeImage(m_pManager->AddImgResInfo(id, std::move(type), count, 0));
}

int CScrollVertical::DrawControl(HDC& hdc, RECT)
{
    return DrawCachedRendering(hdc, [this](HDC cache, int, int height) {
        if (!m_bThumbShown || m_pImage == nullptr || m_nFrameWidth <= 0 || m_nFrameHeight <= 0)
            return;
        Gdiplus::Graphics graphics(cache);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        const auto frame = [this](int index) {
            return RECT{index * m_nFrameWidth, 0, (index + 1) * m_nFrameWidth, m_nFrameHeight};
        };
        const int left = m_rcThumb.left - m_rcItem.left;
        const int right = m_rcThumb.right - m_rcItem.left;
        RenderFrame::DrawThreeSlice(graphics, m_pImage, frame(0), RECT{left, 0, right, height}, true, kCap);
        const RECT thumb{left, m_rcThumb.top - m_rcItem.top, right, m_rcThumb.bottom - m_rcItem.top};
        RenderFrame::DrawThreeSlice(graphics, m_pImage, frame(m_nThumbState == ThumbHover ? 1 : 2), thumb, true, kCap);
    });
}

} // namespace Lumo
