#include "lumo/MPicture.h"

#include "controls/RenderFrame.h"
#include "lumo/MRender.h"
#include "lumo/Manager.h"

#include <algorithm>

namespace Lumo {

namespace {

// Unscaled placement along one side: at the start (code 0), at the end (the
// given end code) or centred (any other code).
int Place(int space, int size, UINT code, UINT endCode)
{
    if (code == 0)
        return 0;
    if (code == endCode)
        return space - size;
    return (space - size) / 2;
}

} // namespace

MPicture::MPicture(MObject* parent, UINT id, RECT rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
    , m_nShowMode(SHOWMODE_ALIGNED)
    , m_nBorder(4)
    , m_nLeftBorder(0)
    , m_nTopBorder(0)
    , m_nRightBorder(0)
    , m_nBottomBorder(0)
    , m_rcCustom{0, 0, 0, 0}
{
    m_nFrameCount = 1;
}

MPicture::~MPicture() { delete m_pImage; }

const wchar_t* MPicture::GetClassNameW() const { return L"MPicture"; }

void MPicture::TakeImage(Gdiplus::Image* image, int count)
{
    delete m_pImage;
    m_pImage = image;
    m_nFrameCount = count;
    m_nFrameWidth = image != nullptr ? static_cast<int>(image->GetWidth()) / count : 0;
    m_nFrameHeight = image != nullptr ? static_cast<int>(image->GetHeight()) : 0;
}

int MPicture::SetImage(const wchar_t* name, int count)
{
    count = std::max(count, 1);
    Gdiplus::Image* image = name != nullptr ? MRender::LoadImageFromFile(GetSkinPath() + name) : nullptr;
    TakeImage(image, count);
    UpdateControl(1, 0);
    return image != nullptr ? 1 : 0;
}

int MPicture::SetImage(UINT id, std::wstring type, int count)
{
    count = std::max(count, 1);
    Gdiplus::Image* image = MRender::LoadImageFromIDResource(id, std::move(type), Manager::m_hInstance);
    TakeImage(image, count);
    if (image == nullptr)
        return 0;
    UpdateControl(1, 0);
    return 1;
}

int MPicture::SetShowMode(enumShowMode mode, int border)
{
    if (mode == m_nShowMode && (mode != SHOWMODE_FRAME || border == m_nBorder))
        return 0;
    m_nShowMode = mode;
    m_nBorder = border;
    UpdateControl(1, 0);
    return 1;
}

int MPicture::SetShowModeMID(int left, int top, int right, int bottom)
{
    m_nShowMode = SHOWMODE_FRAME_MID;
    m_nLeftBorder = left;
    m_nTopBorder = top;
    m_nRightBorder = right;
    m_nBottomBorder = bottom;
    UpdateControl(1, 0);
    return 1;
}

void MPicture::SetCustomRect(RECT rect) { m_rcCustom = rect; }
enumShowMode MPicture::GetShowMode() const { return m_nShowMode; }

int MPicture::DrawControl(HDC& hdc, RECT)
{
    return DrawCachedRendering(hdc, [this](HDC cache, int width, int height) { Render(cache, width, height); });
}

void MPicture::Render(HDC cache, int width, int height)
{
    const int fw = m_nFrameWidth;
    const int fh = m_nFrameHeight;
    if (m_pImage == nullptr || fw <= 0 || fh <= 0)
        return;
    Gdiplus::Graphics graphics(cache);
    const RECT whole{0, 0, width, height};
    switch (m_nShowMode) {
    case SHOWMODE_ALIGNED: {
        const int x = Place(width, fw, m_nAlign, 2);
        const int y = Place(height, fh, m_nVAlign, 8);
        graphics.DrawImage(m_pImage, Gdiplus::Rect(x, y, fw, fh), 0, 0, fw, fh, Gdiplus::UnitPixel);
        break;
    }
    case SHOWMODE_TILED:
        for (int y = 0; y < height; y += fh) {
            for (int x = 0; x < width; x += fw) {
                const int w = std::min(fw, width - x);
                const int h = std::min(fh, height - y);
                graphics.DrawImage(m_pImage, Gdiplus::Rect(x, y, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
            }
        }
        break;
    case SHOWMODE_STRETCHED:
        RenderFrame::StretchImage(graphics, m_pImage, whole, 0, 0, fw, fh);
        break;
    case SHOWMODE_FRAME:
        RenderFrame::DrawNineGrid(graphics, m_pImage, whole, 0, 0, fw, fh, m_nBorder, m_nBorder, m_nBorder, m_nBorder);
        break;
    case SHOWMODE_FRAME_MID:
        RenderFrame::DrawNineGrid(
            graphics, m_pImage, whole, 0, 0, fw, fh, m_nLeftBorder, m_nTopBorder, m_nRightBorder, m_nBottomBorder);
        break;
    case SHOWMODE_CUSTOM:
        RenderFrame::StretchImage(graphics, m_pImage, whole, m_rcCustom.left, m_rcCustom.top,
            m_rcCustom.right - m_rcCustom.left, m_rcCustom.bottom - m_rcCustom.top);
        break;
    }
}

} // namespace Lumo
