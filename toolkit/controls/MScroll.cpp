#include "lumo/MScroll.h"

#include "controls/ScrollMath.h"

#include <algorithm>
#include <cstdint>

namespace Lumo {

namespace {

constexpr UINT kScrollMoved = 8;

ScrollMath::Bar BarAlong(const RECT& rect, bool vertical, int arrow)
{
    return vertical ? ScrollMath::Bar{rect.top, rect.bottom, arrow} : ScrollMath::Bar{rect.left, rect.right, arrow};
}

int Along(POINT point, bool vertical) { return vertical ? point.y : point.x; }

} // namespace

MScroll::MScroll(MObject* parent, UINT id, RECT rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1)
    , m_nReserved(0)
    , m_nThumbState(ThumbNormal)
    , m_bMouseInside(0)
    , m_bThumbShown(0)
    , m_nArrowLength(0)
    , m_nMaxRange(1000)
    , m_nCurrentPos(0)
    , m_nPageSize(0)
    , m_nRowStep(10)
    , m_rcThumb{0, 0, 0, 0}
    , m_bPageDerived(0)
    , m_bChanging(0)
    , m_nDragAnchor(-1)
{
}

int MScroll::MoveRange(int) { return 0; }
int MScroll::SetRange() { return 0; }
int MScroll::SetRangeEx() { return 0; }
int MScroll::DrawControl(HDC&, RECT) { return 0; }

void MScroll::SetControlRect(RECT rect)
{
    m_rcItem = rect;
    SetRange();
}

int MScroll::GetScrollMaxRange() const { return m_nMaxRange; }
int MScroll::GetScrollCurrentPos() const { return m_nCurrentPos; }
int MScroll::IsChangeing() const { return m_bChanging; }
int MScroll::GetScrollPageSize() const { return m_nPageSize; }
int MScroll::GetScrollRowStep() const { return m_nRowStep; }
RECT MScroll::GetThumbRect() const { return m_rcThumb; }
int MScroll::GetThumbState() const { return m_nThumbState; }
int MScroll::IsThumbShown() const { return m_bThumbShown; }

int MScroll::SetScrollMaxRange(int maxRange)
{
    m_nMaxRange = maxRange;
    if (m_bPageDerived)
        m_nPageSize = 0;
    SetRange();
    return 1;
}

int MScroll::SetScrollSize(int page, int step)
{
    m_nPageSize = page;
    if (page != 0)
        m_bPageDerived = 0;
    if (step != 0)
        m_nRowStep = step;
    SetRange();
    return 1;
}

int MScroll::SetScrollInfo(int maxRange, int position, int page, int step)
{
    m_nMaxRange = maxRange;
    m_nCurrentPos = position;
    if (page != 0) {
        m_nPageSize = page;
        m_bPageDerived = 0;
    }
    if (step != 0)
        m_nRowStep = step;
    SetRange();
    return 1;
}

int MScroll::SetScrollCurrentPos(int position)
{
    m_nCurrentPos = position;
    SetRange();
    return 1;
}

int MScroll::SetScrollCurrentPosEx(int position)
{
    m_nCurrentPos = position;
    SetRangeEx();
    return 1;
}

int MScroll::SetScrollFinalPos()
{
    const int height = m_rcItem.bottom - m_rcItem.top;
    const int page = m_nPageSize != 0 ? m_nPageSize : ScrollMath::DerivedPage(height, m_nMaxRange);
    m_nCurrentPos = ScrollMath::FinalPosition(height, m_nArrowLength, page, m_nMaxRange);
    return 1;
}

int MScroll::ScrollRow(int rows)
{
    const int64_t wanted = static_cast<int64_t>(m_nCurrentPos) + static_cast<int64_t>(rows) * m_nRowStep;
    const int position = static_cast<int>(std::clamp<int64_t>(wanted, 0, std::max(m_nMaxRange, 0)));
    const bool changed = position != m_nCurrentPos;
    m_nCurrentPos = position;
    SetRange();
    return changed ? 1 : 0;
}

int MScroll::ThumbStartAlong(bool vertical) const { return vertical ? m_rcThumb.top : m_rcThumb.left; }

int MScroll::ThumbLengthAlong(bool vertical) const
{
    return vertical ? m_rcThumb.bottom - m_rcThumb.top : m_rcThumb.right - m_rcThumb.left;
}

int MScroll::LayOutThumb(bool vertical, bool againstHidden)
{
    const ScrollMath::Bar bar = BarAlong(m_rcItem, vertical, m_nArrowLength);
    if (m_nPageSize == 0) {
        m_nPageSize = ScrollMath::DerivedPage(bar.Length(), m_nMaxRange);
        m_bPageDerived = 1;
    }
    // Only the vertical bar pulls a thumb that runs past its end back inside.
    const ScrollMath::Thumb thumb
        = ScrollMath::LayOut(bar, m_nMaxRange, m_nCurrentPos, m_nPageSize, againstHidden, vertical);
    const RECT placed = vertical ? RECT{m_rcItem.left, thumb.start, m_rcItem.right, thumb.start + thumb.length}
                                 : RECT{thumb.start, m_rcItem.top, thumb.start + thumb.length, m_rcItem.bottom};
    if (!::EqualRect(&placed, &m_rcThumb) || m_bThumbShown != (thumb.shown ? 1 : 0))
        m_bUpdate = 0;
    m_rcThumb = placed;
    m_nCurrentPos = thumb.position;
    m_bThumbShown = thumb.shown ? 1 : 0;
    return m_nCurrentPos;
}

int MScroll::MoveThumb(bool vertical, int delta)
{
    if (delta == 0)
        return 0;
    const ScrollMath::Bar bar = BarAlong(m_rcItem, vertical, m_nArrowLength);
    delta = ScrollMath::LimitMove(bar, ThumbStartAlong(vertical), ThumbLengthAlong(vertical), delta);
    if (delta == 0)
        return 0;
    ::OffsetRect(&m_rcThumb, vertical ? 0 : delta, vertical ? delta : 0);
    m_bChanging = 1;
    const int length = ScrollMath::ThumbLength(bar.Track(), bar.arrow, m_nPageSize, m_nMaxRange);
    m_nCurrentPos = ScrollMath::PositionFromThumb(bar, m_nMaxRange, ThumbStartAlong(vertical), length);
    m_bUpdate = 0;
    UpdateControl(1, 0);
    SendMessageW(kScrollMoved, static_cast<WPARAM>(m_nCurrentPos), 0);
    m_bChanging = 0;
    return delta;
}

bool MScroll::ChangeThumbState(int state)
{
    if (state == m_nThumbState)
        return false;
    m_nThumbState = state;
    // The thumb's frame follows its state: render again, but nothing else
    // changed beneath the bar.
    SetUpdate(0, 0);
    UpdateControl(0, 0);
    return true;
}

int MScroll::MouseMove(bool vertical, POINT point)
{
    if (!m_bThumbShown)
        return 0;
    if (m_nThumbState == ThumbDragged && m_bEnabled) {
        const int moved = MoveRange(Along(point, vertical) - m_nDragAnchor);
        m_nDragAnchor += moved;
        return 1;
    }
    bool changed = false;
    if (!m_bPressedInside) {
        const int inside = ::PtInRect(&m_rcItem, point) ? 1 : 0;
        const int state = inside && ::PtInRect(&m_rcThumb, point) ? ThumbHover : ThumbNormal;
        changed = inside != m_bMouseInside || state != m_nThumbState;
        m_bMouseInside = inside;
        m_nThumbState = state;
    }
    if (!changed && GetUpdate())
        return 0;
    SetUpdate(0, 0);
    UpdateControl(0, 0);
    return 1;
}

int MScroll::MouseDown(bool vertical, POINT point)
{
    if (!m_bThumbShown || !m_bEnabled)
        return 0;
    const int along = Along(point, vertical);
    if (!::PtInRect(&m_rcThumb, point)) {
        const int track
            = (vertical ? m_rcItem.bottom - m_rcItem.top : m_rcItem.right - m_rcItem.left) - 2 * m_nArrowLength;
        const int page = ScrollMath::PageDistance(track, m_nPageSize, m_nMaxRange);
        return MoveRange(along < ThumbStartAlong(vertical) ? -page : page);
    }
    m_nDragAnchor = along;
    return ChangeThumbState(ThumbDragged) ? 1 : 0;
}

int MScroll::MouseUp(POINT point)
{
    if (!m_bThumbShown)
        return 0;
    m_nDragAnchor = -1;
    return ChangeThumbState(::PtInRect(&m_rcThumb, point) ? ThumbHover : ThumbNormal) ? 1 : 0;
}

} // namespace Lumo
