#include "lumo/MPanel.h"

#include "controls/ControlFactory.h"
#include "controls/ScrollMath.h"
#include "lumo/CScrollHorizontal.h"
#include "lumo/CScrollVertical.h"

namespace Lumo {

namespace {

constexpr UINT kVerticalBarId = 1;
constexpr UINT kHorizontalBarId = 2;

bool IsScrollBar(const MControl* child)
{
    return child->GetControlID() == kVerticalBarId || child->GetControlID() == kHorizontalBarId;
}

bool Overlaps(const RECT& a, const RECT& b)
{
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

} // namespace

MPanel::MPanel(MObject* parent, UINT id, RECT rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1)
    , m_nReservedState(0)
    , m_bAttached(0)
    , m_nVirtualHeight(0)
    , m_nVirtualWidth(0)
    , m_pScrollVertical(nullptr)
    , m_pScrollHorizontal(nullptr)
    , m_nScrollBarThickness(5)
    , m_bEnableScroll(1)
    , m_ptDrawnOffset{0, 0}
{
    m_bDblClk = 1;
    const int thickness = m_nScrollBarThickness;
    m_pScrollVertical = new CScrollVertical(this, kVerticalBarId, RECT{-thickness, 0, 0, 0}, 1);
    m_pScrollHorizontal = new CScrollHorizontal(this, kHorizontalBarId, RECT{0, -thickness, 0, 0}, 1);
    MControl::AddControl(1, m_pScrollVertical);
    MControl::AddControl(1, m_pScrollHorizontal);
}

// --- Factory ---

MControl* MPanel::CreateArea(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    return CreateControl(0, this, className, id, rect, text, int1, int2);
}

MControl* MPanel::CreateControl(
    UINT kind, MObject* parent, const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    MControl* control = ControlFactory::Create(Catalog::Factory::Panel, parent, className, id, rect, text, int1, int2);
    return control != nullptr ? MControl::AddControl(kind, control) : nullptr;
}

MControl* MPanel::CreateControl(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    return CreateControl(1, this, className, id, rect, text, int1, int2);
}

int MPanel::OnControlKeyUp(UINT, UINT, UINT) { return 0; }

// --- Scrolling ---

void MPanel::SetVirtualHeight(int height) { m_nVirtualHeight = height; }
int MPanel::GetVirtualHeight() const { return m_nVirtualHeight; }
void MPanel::SetVirtualWidth(int width) { m_nVirtualWidth = width; }
int MPanel::GetVirtualWidth() const { return m_nVirtualWidth; }
void MPanel::SetEnableScroll(int enable) { m_bEnableScroll = enable; }
int MPanel::GetEnableScroll() const { return m_bEnableScroll; }
CScrollVertical* MPanel::GetScrollVertical() const { return m_pScrollVertical; }
CScrollHorizontal* MPanel::GetScrollHorizontal() const { return m_pScrollHorizontal; }

int MPanel::GetScrollOffsetX() const
{
    return ScrollMath::ContentOffset(m_nVirtualWidth, m_rcItem.right - m_rcItem.left,
        m_pScrollHorizontal->GetScrollCurrentPos(), m_pScrollHorizontal->GetScrollMaxRange());
}

int MPanel::GetScrollOffsetY() const
{
    return ScrollMath::ContentOffset(m_nVirtualHeight, m_rcItem.bottom - m_rcItem.top,
        m_pScrollVertical->GetScrollCurrentPos(), m_pScrollVertical->GetScrollMaxRange());
}

int MPanel::OnMousePointChange(POINT& point)
{
    const bool taller = m_nVirtualHeight > m_rcItem.bottom - m_rcItem.top;
    const bool wider = m_nVirtualWidth > m_rcItem.right - m_rcItem.left;
    if (!m_bEnableScroll || !(taller || wider))
        return 0;
    point.x += GetScrollOffsetX();
    point.y += GetScrollOffsetY();
    return 1;
}

int MPanel::OnControlScroll(int, UINT down, POINT)
{
    if (!m_bEnableScroll || m_nVirtualHeight < m_rcItem.bottom - m_rcItem.top)
        return 0;
    // At the end of the range the step is taken all the same, without a repaint.
    if (!m_pScrollVertical->ScrollRow(down == 1 ? 1 : -1))
        return 1;
    UpdateControl(1, 0);
    m_pScrollVertical->UpdateControl(1, 0);
    return 1;
}

// --- Repaint and drawing ---

LRESULT MPanel::OnControlUpdate(RECT rect, int rebuild, MControl* control)
{
    if (control == nullptr)
        return 0;
    if (rebuild)
        control->SetUpdate(0, 0);
    const int offsetX = GetScrollOffsetX();
    const int offsetY = GetScrollOffsetY();
    RECT dirty = rect;
    if (m_bAttached) {
        // Children above the changed one hold the old pixels beneath them.
        ScopedLock lock(m_controlLock);
        bool found = false;
        for (MControl* other : m_controls) {
            if (!found) {
                found = other == control;
                continue;
            }
            const RECT area = other->GetRect();
            if (other->IsVisible() && Overlaps(area, rect)) {
                ::UnionRect(&dirty, &dirty, &area);
                other->SetUpdate(0, 0);
            }
        }
    }
    ::OffsetRect(&dirty, -offsetX, -offsetY);
    ::UnionRect(&dirty, &dirty, &m_rcItem);
    InvalidateRect(&dirty, 1);
    return 0;
}

int MPanel::DrawControl(HDC&, RECT) { return 0; }

int MPanel::DrawSubControls(HDC& hdc, RECT clip)
{
    const POINT offset{GetScrollOffsetX(), GetScrollOffsetY()};
    ScopedLock lock(m_controlLock);
    if (offset.x != m_ptDrawnOffset.x || offset.y != m_ptDrawnOffset.y) {
        // Scrolled: every child now lies over other pixels of the window.
        for (MControl* child : m_controls) {
            if (!IsScrollBar(child))
                child->SetUpdate(0, 0);
        }
        m_ptDrawnOffset = offset;
    }
    RECT visible;
    if (!::IntersectRect(&visible, &clip, &m_rcItem))
        return 1;
    RECT contentClip = visible;
    ::OffsetRect(&contentClip, offset.x, offset.y);
    for (MControl* child : m_controls) {
        if (!child->IsVisible())
            continue;
        if (IsScrollBar(child)) {
            child->Draw(hdc, clip);
            continue;
        }
        // Content coordinates: the viewport moves by the offset, and content
        // outside the panel is not shown (nor can it be hit).
        const int saved = SaveDC(hdc);
        IntersectClipRect(hdc, m_rcItem.left, m_rcItem.top, m_rcItem.right, m_rcItem.bottom);
        OffsetViewportOrgEx(hdc, -offset.x, -offset.y, nullptr);
        child->Draw(hdc, contentClip);
        RestoreDC(hdc, saved);
    }
    return 1;
}

// --- Notifications and messages ---

LRESULT MPanel::OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam)
{
    return OnMessage(id, code, wparam, lparam);
}

LRESULT MPanel::OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam)
{
    return m_pParent != nullptr ? m_pParent->OnBaseMessage(id, code, wparam, lparam) : 0;
}

LRESULT MPanel::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    ScopedLock lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->OnWindowMessage(msg, wparam, lparam))
            return 1;
    }
    return 0;
}

// --- State ---

void MPanel::InitControl(PaintManager* manager)
{
    m_bAttached = 1;
    m_pScrollVertical->SetManager(manager);
    m_pScrollHorizontal->SetManager(manager);
}

void MPanel::SetControlRect(RECT rect) { m_rcItem = rect; }

void MPanel::SetControlVisible(int visible)
{
    m_bVisible = visible;
    SetControlWndVisible(visible);
}

void MPanel::SetControlWndVisible(int) { }

void MPanel::SetControlEnabled(int enabled)
{
    m_bEnabled = enabled;
    ScopedLock lock(m_controlLock);
    for (MControl* child : m_controls) {
        if ((child->IsEnabled() != 0) == (enabled != 0))
            continue;
        child->SetControlEnabled(enabled);
        child->UpdateControl(1, 0);
    }
}

int MPanel::OnCheckMouseResponse(UINT, POINT) { return 1; }
int MPanel::OnControlSetCursor(UINT, POINT) { return 0; }
int MPanel::OnControlKeyDown(UINT, UINT, UINT) { return 0; }

} // namespace Lumo
