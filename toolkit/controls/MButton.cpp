#include "lumo/MButton.h"

#include "controls/RenderFrame.h"
#include "lumo/MRender.h"
#include "lumo/Manager.h"

#include <algorithm>

namespace Lumo {

namespace {

constexpr int kStates = 4;
constexpr UINT kPressed = 1;
constexpr UINT kClicked = 2;
constexpr Gdiplus::ARGB kDisabledText = 0xFF808080;

void ShowCursor(const wchar_t* id) { ::SetCursor(::LoadCursorW(nullptr, id)); }

} // namespace

MButton::MButton(MObject* parent, UINT id, RECT rect, const wchar_t* title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
    , m_nState(enabled ? Normal : Disabled)
    , m_nFrameBorder(8)
    , m_pIconImage(nullptr)
    , m_nIconFrameWidth(0)
    , m_nIconFrameHeight(0)
    , m_nIconFrameCount(4)
    , m_rcIcon{0, 0, 0, 0}
    , m_rcText{0, 0, 0, 0}
{
    m_nAlign = 1;
}

MButton::~MButton() { delete m_pIconImage; }

const wchar_t* MButton::GetClassNameW() const { return L"MButton"; }

void MButton::SetFrameSize(int border) { m_nFrameBorder = border; }
void MButton::SetTextRect(RECT rect) { m_rcText = rect; }
int MButton::GetState() const { return m_nState; }

int MButton::SetIconImage(const wchar_t* name, int count)
{
    if (name == nullptr)
        return 0;
    Gdiplus::Image* image = MRender::LoadImageFromFile(GetSkinPath() + name);
    if (image == nullptr)
        return 0;
    count = std::max(count, 1);
    delete m_pIconImage;
    m_pIconImage = image;
    m_nIconFrameCount = count;
    m_nIconFrameWidth = static_cast<int>(image->GetWidth()) / count;
    m_nIconFrameHeight = static_cast<int>(image->GetHeight());
    return 1;
}

bool MButton::ChangeState(int state)
{
    if (state == m_nState)
        return false;
    m_nState = state;
    UpdateControl(0, 0);
    return true;
}

void MButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (m_bEnabled != 0))
        return;
    m_bEnabled = enabled;
    ChangeState(enabled ? Normal : Disabled);
}

int MButton::OnControlMouseMove(UINT, POINT point)
{
    if (!m_bEnabled || m_nState == Pressed)
        return 0;
    const bool inside = ::PtInRect(&m_rcItem, point) != FALSE;
    ShowCursor(inside ? IDC_HAND : IDC_ARROW);
    return ChangeState(inside ? Hover : Normal) ? 1 : 0;
}

int MButton::OnControlLButtonDown(UINT, POINT point)
{
    if (!m_bEnabled || !::PtInRect(&m_rcItem, point))
        return 0;
    ShowCursor(IDC_HAND);
    const bool changed = ChangeState(Pressed);
    SendMessageW(kPressed, 0, 0);
    return changed ? 1 : 0;
}

int MButton::OnControlLButtonUp(UINT, POINT point)
{
    if (!m_bEnabled)
        return 0;
    const bool inside = ::PtInRect(&m_rcItem, point) != FALSE;
    const bool click = inside && m_nState == Pressed;
    const bool changed = ChangeState(inside ? Hover : Normal);
    // Last: the parent may act on the click in ways that touch this button.
    if (click)
        SendMessageW(kClicked, 0, 0);
    return changed ? 1 : 0;
}

int MButton::DrawControl(HDC& hdc, RECT)
{
    const int width = RenderFrame::Width(m_rcItem);
    const int height = RenderFrame::Height(m_rcItem);
    if (width <= 0 || height <= 0)
        return 0;
    if (!GetUpdate()) {
        UpdateMemDC(hdc, kStates * width, height);
        for (int slot = 0; slot < kStates; ++slot)
            RenderFrame::CopyBeneath(GetMemDC(), slot * width, hdc, m_rcItem);
        Render(GetMemDC(), width, height);
    }
    const int state = std::clamp(m_nState, 0, kStates - 1);
    RenderFrame::Present(hdc, m_rcItem, GetMemDC(), state * width);
    return 1;
}

void MButton::Render(HDC cache, int width, int height)
{
    Gdiplus::Graphics graphics(cache);
    if (m_pImage != nullptr && m_nFrameWidth > 0 && m_nFrameHeight > 0) {
        // A strip with fewer frames than states shows its last frame for the others.
        const int frames = std::max(1, std::min(m_nFrameCount, static_cast<int>(m_pImage->GetWidth()) / m_nFrameWidth));
        for (int slot = 0; slot < kStates; ++slot) {
            const int frame = std::min(slot, frames - 1);
            const RECT dest{slot * width, 0, (slot + 1) * width, height};
            const int border = m_nFrameBorder;
            RenderFrame::DrawNineGrid(graphics, m_pImage, dest, frame * m_nFrameWidth, 0, m_nFrameWidth, m_nFrameHeight,
                border, border, border, border);
        }
    }
    if (m_strTitle.empty())
        return;
    const auto font = RenderFrame::TextFont(GetFontFamily(m_strFontName.c_str()),
        static_cast<float>(static_cast<int>(m_nFontSize * Manager::GetScaleValue())), m_nFontStyle);
    if (!font)
        return;
    graphics.SetTextRenderingHint(m_textRenderingHint);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    Gdiplus::SolidBrush disabled{Gdiplus::Color(kDisabledText)};
    const bool hasTextRect = !::IsRectEmpty(&m_rcText);
    for (int slot = 0; slot < kStates; ++slot) {
        RECT box = hasTextRect ? m_rcText : RECT{0, 0, width, height};
        ::OffsetRect(&box, slot * width, 0);
        if (slot == Pressed)
            ::OffsetRect(&box, 1, 1);
        const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
            static_cast<Gdiplus::REAL>(box.right - box.left), static_cast<Gdiplus::REAL>(box.bottom - box.top));
        graphics.DrawString(m_strTitle.c_str(), -1, font.get(), layout, &format,
            slot == Disabled ? static_cast<Gdiplus::Brush*>(&disabled) : m_pTextBrush);
    }
}

} // namespace Lumo
