#include "lumo/MControl.h"

#include "controls/RenderFrame.h"

#include "controls/LayoutMath.h"
#include "lumo/PaintManager.h"

#include <cwchar>

namespace Lumo {

namespace {

bool SameFlag(int a, int b) { return (a != 0) == (b != 0); }

bool Overlaps(const RECT& a, const RECT& b)
{
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

} // namespace

void MControl::DcCache::Recreate(HDC ref, int cx, int cy)
{
    Release();
    dc = ::CreateCompatibleDC(ref);
    bitmap = ::CreateCompatibleBitmap(ref, cx, cy);
    if (dc != nullptr && bitmap != nullptr)
        previous = SelectObject(dc, bitmap);
    size = SIZE{cx, cy};
}

void MControl::DcCache::Release()
{
    if (dc != nullptr) {
        if (previous != nullptr)
            SelectObject(dc, previous);
        DeleteDC(dc);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
    size = SIZE{0, 0};
}

MControl::MControl(MObject* parent, UINT id, RECT rect, int visible, int enabled, int responsive)
    : m_pParent(parent)
    , m_pManager(nullptr)
    , m_nID(id)
    , m_rcItem(rect)
    , m_bVisible(visible)
    , m_bEnabled(enabled)
    , m_bDragDrop(0)
    , m_bResponse(responsive)
    , m_bTabStop(0)
    , m_nReserved1(0)
    , m_bDblClk(0)
    , m_bPressedInside(0)
    , m_bKeyDown(0)
    , m_nReserved2(0)
    , m_bFocused(0)
    , m_nAccelKey(0)
    , m_nAccelModifiers(0)
    , m_bUpdate(0)
    , m_bAnimateUpdate(0)
    , m_bRunTimer(0)
    , m_bAnimating(0)
    , m_bImageECM(0)
    , m_pHoverChild(nullptr)
    , m_hCursor(nullptr)
{
}

MControl::~MControl()
{
    // The paint manager may still point at this control (focus, hover, timers).
    if (m_pManager != nullptr)
        m_pManager->ForgetControl(this);
    RemoveAllControl();
    m_memCache.Release();
    m_animateCache.Release();
}

const wchar_t* MControl::GetClassNameW() const { return L"MControl"; }
void MControl::InitControl(PaintManager*) { }

int MControl::OnScroll(int steps, UINT down, POINT point)
{
    if (!m_bVisible || !m_bResponse || !m_bEnabled)
        return 0;
    if (m_pHoverChild != nullptr && m_pHoverChild->PtInRect(point) && m_pHoverChild->OnCheckMouseResponse(0, point))
        return m_pHoverChild->OnScroll(steps, down, point) ? 1 : 0;
    if (!::PtInRect(&m_rcItem, point))
        return 0;
    if (OnControlScroll(steps, down, point))
        return 1;
    ScopedLock lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->PtInRect(point) && child->OnScroll(steps, down, point))
            return 1;
    }
    return 0;
}

int MControl::PtInRect(POINT point)
{
    if (!m_bVisible)
        return 0;
    return ::PtInRect(&m_rcItem, point) ? 1 : 0;
}

int MControl::DrawSubControls(HDC& hdc, RECT clip)
{
    ScopedLock lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->m_bVisible)
            child->Draw(hdc, clip);
    }
    return 1;
}

int MControl::IsDraw(POINT) { return 0; }

void MControl::SetUpdate(int valid, DWORD value)
{
    m_bUpdate = valid;
    ScopedLock lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (Overlaps(child->m_rcItem, m_rcItem))
            child->SetUpdate(valid, value);
    }
}

int MControl::SetControlFocus(int focus)
{
    if (focus == 0) {
        ScopedLock lock(m_controlLock);
        for (MControl* child : m_controls)
            child->SetControlFocus(0);
    }
    return 0;
}

void MControl::InitUI(RECT) { }
int MControl::OnMousePointChange(POINT&) { return 0; }
int MControl::OnCheckMouseResponse(UINT, POINT) { return 1; }
LRESULT MControl::OnWindowMessage(UINT, WPARAM, LPARAM) { return 0; }
LRESULT MControl::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }
void MControl::SetControlRect(RECT rect) { m_rcItem = rect; }
void MControl::SetControlVisible(int visible) { m_bVisible = visible; }
void MControl::SetControlWndVisible(int) { }
void MControl::SetControlEnabled(int enabled) { m_bEnabled = enabled; }
int MControl::OnControlTimer() { return 0; }
HBITMAP MControl::GetControlDropBitmap() { return nullptr; }
int MControl::OnControlMouseMove(UINT, POINT) { return 0; }

int MControl::OnControlSetCursor(UINT, POINT point)
{
    if (m_hCursor != nullptr && ::PtInRect(&m_rcItem, point)) {
        ::SetCursor(m_hCursor);
        return 1;
    }
    return 0;
}

int MControl::OnControlLButtonDown(UINT, POINT) { return 0; }
int MControl::OnControlLButtonUp(UINT, POINT) { return 0; }
int MControl::OnControlLButtonDblClk(UINT, POINT) { return 0; }
int MControl::OnControlScroll(int, UINT, POINT) { return 0; }
int MControl::OnControlRButtonDown(UINT, POINT) { return 0; }
int MControl::OnControlRButtonUp(UINT, POINT) { return 0; }
int MControl::OnControlRButtonDblClk(UINT, POINT) { return 0; }

int MControl::OnControlKeyDown(UINT key, UINT, UINT flags)
{
    return m_nAccelKey != 0 && key == m_nAccelKey && flags == m_nAccelModifiers ? 1 : 0;
}

void MControl::OnPositionChange() { }

void MControl::InvalidateRect(const RECT* rect, int erase)
{
    if (m_pManager == nullptr)
        return;
    HWND window = m_pManager->GetPaintWnd();
    if (window == nullptr || !::IsWindow(window))
        return;
    if (m_pManager->IsLayered())
        ::InvalidateRect(window, nullptr, TRUE);
    else
        ::InvalidateRect(window, rect, erase);
}

// --- Geometry, visibility and state ---

void MControl::ReportUpdate(RECT rect, int rebuild)
{
    if (m_pParent != nullptr)
        m_pParent->OnControlUpdate(rect, rebuild, this);
}

void MControl::SetRect(RECT rect)
{
    RECT changed;
    ::UnionRect(&changed, &m_rcItem, &rect);
    SetControlRect(rect);
    if (m_bVisible)
        ReportUpdate(changed, 1);
}

void MControl::SetRect(int x, int y, int width, int height) { SetRect(RECT{x, y, x + width, y + height}); }
RECT MControl::GetRect() const { return m_rcItem; }

void MControl::SetVisible(int visible) { SetVisible(visible, 1); }

void MControl::SetVisible(int visible, int redraw)
{
    if (SameFlag(visible, m_bVisible))
        return;
    SetControlVisible(visible);
    // Also when just hidden, so that the area it covered is repainted.
    if (redraw)
        ReportUpdate(m_rcItem, 1);
}

int MControl::IsVisible() const { return m_bVisible; }

int MControl::IsParentVisible()
{
    if (m_pParent == nullptr)
        return 0;
    const wchar_t* name = m_pParent->GetClassNameW();
    if (name != nullptr && std::wcscmp(name, L"MDialog") == 0)
        return 1;
    auto* container = dynamic_cast<MControl*>(m_pParent);
    if (container == nullptr)
        return 1; // a window object at the root of the tree
    return container->m_bVisible && container->IsParentVisible() ? 1 : 0;
}

void MControl::SetEnabled(int enabled)
{
    if (SameFlag(enabled, m_bEnabled))
        return;
    SetControlEnabled(enabled);
    if (m_bVisible)
        ReportUpdate(m_rcItem, 1);
}

int MControl::IsEnabled() const { return m_bEnabled; }

void MControl::UpdateControl(int rebuild, int force)
{
    if (m_bVisible || force)
        ReportUpdate(m_rcItem, rebuild);
}

void MControl::UpdateControl(RECT rect, int rebuild, int force)
{
    if (m_bVisible || force)
        ReportUpdate(rect, rebuild);
}

void MControl::UpdateAControl(int flag, int force)
{
    if (m_bVisible || force) {
        m_bAnimateUpdate = flag ? 0 : 1;
        ReportUpdate(m_rcItem, 0);
    }
}

void MControl::SetManager(PaintManager* manager)
{
    m_pManager = manager;
    InitControl(manager);
}

PaintManager* MControl::GetManager() const { return m_pManager; }
void MControl::SetParent(MObject* parent) { m_pParent = parent; }
MObject* MControl::GetParantObject() const { return m_pParent; }
UINT MControl::GetControlID() const { return m_nID; }
void MControl::SetDragDrop(int dragDrop) { m_bDragDrop = dragDrop; }
int MControl::IsDragDrop() const { return m_bDragDrop; }
void MControl::SetRresponse(int responsive) { m_bResponse = responsive; }
int MControl::GetRresponse() const { return m_bResponse; }
void MControl::SetTabStop(int tabStop) { m_bTabStop = tabStop; }
int MControl::IsTabStop() const { return m_bTabStop; }
void MControl::SetRunTimer(int runTimer) { m_bRunTimer = runTimer; }
int MControl::IsRunTimer() const { return m_bRunTimer; }
int MControl::GetDblClk() const { return m_bDblClk; }
int MControl::IsFocused() const { return m_bFocused; }
int MControl::GetUpdate() const { return m_bUpdate; }
int MControl::GetAnimateUpdate() const { return m_bAnimateUpdate; }

void MControl::SetAcceleratorKey(UINT key, UINT modifiers)
{
    m_nAccelKey = key;
    m_nAccelModifiers = modifiers;
}

HBITMAP MControl::GetDropBitmap() { return GetControlDropBitmap(); }
std::vector<MControl*>* MControl::GetControls() { return &m_controls; }
void MControl::SetTooltipCtrlID(int) { }
int MControl::GetTooltipCtrlID() const { return 0; }
MControl* MControl::GetFocusControl(MControl*) { return nullptr; }
MControl* MControl::GetNextFocusableControl(MControl*) { return nullptr; }
MControl* MControl::GetPrevFocusableControl(MControl*) { return nullptr; }

// --- Children ---

MControl* MControl::GetControl(UINT id)
{
    for (auto* list : {&m_controls, &m_areas}) {
        for (MControl* child : *list) {
            if (child->m_nID == id)
                return child;
            if (MControl* found = child->GetControl(id))
                return found;
        }
    }
    return nullptr;
}

MControl* MControl::AddControl(UINT kind, MControl* child)
{
    if (child == nullptr)
        return nullptr;
    if (m_pManager != nullptr)
        child->SetManager(m_pManager);
    if (kind == 0) {
        ScopedLock lock(m_areaLock);
        m_areas.push_back(child);
    } else if (kind == 1) {
        ScopedLock lock(m_controlLock);
        m_controls.push_back(child);
    }
    return child;
}

int MControl::RemoveControl(MControl* child)
{
    if (child == nullptr)
        return 0;
    if (m_pManager != nullptr && m_pManager->GetFocusControl() == child)
        m_pManager->SetFocusControl(nullptr);
    ScopedLock lock(m_controlLock);
    for (auto it = m_controls.begin(); it != m_controls.end(); ++it) {
        if (*it == child) {
            m_controls.erase(it);
            if (m_pHoverChild == child)
                m_pHoverChild = nullptr;
            delete child;
            break;
        }
    }
    return 0;
}

void MControl::RemoveAllControl()
{
    {
        ScopedLock lock(m_areaLock);
        std::vector<MControl*> areas;
        areas.swap(m_areas);
        for (MControl* area : areas)
            delete area;
    }
    ScopedLock lock(m_controlLock);
    std::vector<MControl*> controls;
    controls.swap(m_controls);
    m_pHoverChild = nullptr;
    for (MControl* child : controls)
        delete child;
}

// --- Painting ---

void MControl::Draw(HDC& hdc, RECT clip)
{
    if (!m_bVisible || !Overlaps(m_rcItem, clip))
        return;
    {
        ScopedLock lock(m_areaLock);
        for (MControl* area : m_areas) {
            if (Overlaps(area->m_rcItem, m_rcItem))
                area->Draw(hdc, clip);
        }
    }
    DrawControl(hdc, clip);
    DrawSubControls(hdc, clip);
}

void MControl::UpdateMemDC(HDC& ref, int cx, int cy)
{
    m_bUpdate = 1;
    if (m_memCache.dc != nullptr && m_memCache.size.cx == cx && m_memCache.size.cy == cy)
        return;
    m_memCache.Recreate(ref, cx, cy);
}

void MControl::UpdateAnimateDC(HDC& ref, int cx, int cy)
{
    m_bAnimateUpdate = 1;
    m_animateCache.Recreate(ref, cx, cy);
}

HDC MControl::GetMemDC() const { return m_memCache.dc; }
HDC MControl::GetAnimateDC() const { return m_animateCache.dc; }

// --- Input ---

POINT MControl::ChildPoint(const MControl* child, POINT original, POINT translated) const
{
    // Ids 1 and 2 are a container's own scroll bars, which do not scroll.
    return child->m_nID == 1 || child->m_nID == 2 ? original : translated;
}

int MControl::OnMouseMove(UINT flags, POINT point)
{
    if (!m_bVisible || !m_bResponse)
        return 0;
    const POINT received = point;
    OnMousePointChange(point);
    if (m_pHoverChild != nullptr) {
        const POINT p = ChildPoint(m_pHoverChild, received, point);
        const bool inside = m_pHoverChild->PtInRect(p) && m_pHoverChild->OnCheckMouseResponse(flags, p);
        if (inside || m_bPressedInside)
            return m_pHoverChild->OnMouseMove(flags, p) ? 1 : 0;
    }
    MControl* previousHover = m_pHoverChild;
    m_pHoverChild = nullptr;

    if (!m_strTooltip.empty() && m_pManager != nullptr && ::PtInRect(&m_rcItem, received)
        && OnCheckMouseResponse(flags, point) && m_pManager->GetTooltipCtrlID() != static_cast<int>(m_nID)) {
        m_pManager->SetTooltip(m_strTooltip.c_str(), m_rcItem);
        m_pManager->SetTooltipCtrlID(static_cast<int>(m_nID));
    }

    OnControlSetCursor(flags, point);
    int result = OnControlMouseMove(flags, point);
    if (m_bPressedInside)
        return result;
    {
        ScopedLock lock(m_controlLock);
        for (MControl* child : m_controls) {
            const POINT p = ChildPoint(child, received, point);
            if (child->OnMouseMove(flags, p))
                result = 1;
            if (child->PtInRect(p))
                m_pHoverChild = child;
        }
    }
    return m_pHoverChild != nullptr || previousHover != nullptr ? 1 : result;
}

int MControl::RouteButtonDown(UINT flags, POINT point, bool left)
{
    if (!m_bVisible || !m_bResponse)
        return 0;
    const POINT received = point;
    OnMousePointChange(point);
    m_bPressedInside = ::PtInRect(&m_rcItem, received) ? 1 : 0;
    {
        ScopedLock lock(m_controlLock);
        for (MControl* child : m_controls) {
            const POINT p = ChildPoint(child, received, point);
            if (child->PtInRect(p) && child->m_bVisible && child->m_bEnabled && child->m_bResponse)
                m_pHoverChild = child;
        }
    }
    if (m_pHoverChild != nullptr) {
        const POINT p = ChildPoint(m_pHoverChild, received, point);
        return (left ? m_pHoverChild->OnLButtonDown(flags, p) : m_pHoverChild->OnRButtonDown(flags, p)) ? 1 : 0;
    }
    if (m_pManager != nullptr && m_pManager->GetFocusControl() != this)
        m_pManager->SetFocusControl(this);
    return left ? OnControlLButtonDown(flags, point) : OnControlRButtonDown(flags, point);
}

int MControl::RouteButtonUp(UINT flags, POINT point, bool left)
{
    if (!m_bVisible || !m_bResponse)
        return 0;
    const POINT received = point;
    OnMousePointChange(point);
    m_bPressedInside = 0;
    if (m_pHoverChild != nullptr) {
        const POINT p = ChildPoint(m_pHoverChild, received, point);
        return (left ? m_pHoverChild->OnLButtonUp(flags, p) : m_pHoverChild->OnRButtonUp(flags, p)) ? 1 : 0;
    }
    return left ? OnControlLButtonUp(flags, point) : OnControlRButtonUp(flags, point);
}

int MControl::RouteDoubleClick(UINT flags, POINT point, bool left)
{
    if (!m_bVisible || !m_bResponse)
        return 0;
    const POINT received = point;
    OnMousePointChange(point);
    m_bPressedInside = 0;
    if (m_pHoverChild != nullptr) {
        MControl* child = m_pHoverChild;
        const POINT p = ChildPoint(child, received, point);
        if (left ? child->OnLButtonDblClk(flags, p) : child->OnRButtonDblClk(flags, p))
            return 1;
        // A control that does not know double clicks takes it as a second press.
        if (!child->m_bDblClk)
            return (left ? child->OnLButtonDown(flags, p) : child->OnRButtonDown(flags, p)) ? 1 : 0;
        return 0;
    }
    if (!m_bDblClk)
        return left ? OnControlLButtonDown(flags, point) : OnControlRButtonDown(flags, point);
    return left ? OnControlLButtonDblClk(flags, point) : OnControlRButtonDblClk(flags, point);
}

int MControl::OnLButtonDown(UINT flags, POINT point) { return RouteButtonDown(flags, point, true); }
int MControl::OnLButtonUp(UINT flags, POINT point) { return RouteButtonUp(flags, point, true); }
int MControl::OnLButtonDblClk(UINT flags, POINT point) { return RouteDoubleClick(flags, point, true); }
int MControl::OnRButtonDown(UINT flags, POINT point) { return RouteButtonDown(flags, point, false); }
int MControl::OnRButtonUp(UINT flags, POINT point) { return RouteButtonUp(flags, point, false); }
int MControl::OnRButtonDblClk(UINT flags, POINT point) { return RouteDoubleClick(flags, point, false); }

int MControl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    // The key goes down the chain of focused children.
    MControl* target = this;
    for (;;) {
        if (!target->m_bVisible || !target->m_bResponse)
            return 0;
        MControl* focused = nullptr;
        {
            ScopedLock lock(target->m_controlLock);
            for (MControl* child : target->m_controls) {
                if (child->m_bFocused) {
                    focused = child;
                    break;
                }
            }
        }
        if (focused == nullptr)
            break;
        target = focused;
    }
    if (target->m_pHoverChild != nullptr && target->m_pHoverChild->OnKeyDown(key, repeat, flags))
        return 1;
    if (target->OnControlKeyDown(key, repeat, flags))
        return 1;
    ScopedLock lock(target->m_controlLock);
    for (MControl* child : target->m_controls) {
        if (child->OnKeyDown(key, repeat, flags))
            return 1;
    }
    return 0;
}

int MControl::OnKeyUp(UINT, UINT, UINT) { return 0; }

int MControl::OnTimer()
{
    int result = OnControlTimer();
    ScopedLock lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->m_bRunTimer && child->m_bVisible && child->OnTimer())
            result = 1;
    }
    return result;
}

int MControl::OnFocus(int focus) { return SetControlFocus(focus); }

int MControl::IsFocusControl() const { return m_pManager != nullptr && m_pManager->GetFocusControl() == this ? 1 : 0; }

void MControl::AddMTimer()
{
    if (m_pManager != nullptr)
        m_pManager->AddMTimer(this);
}

// --- Messages, cursor and tooltip ---

LRESULT MControl::SendMessageW(UINT code, WPARAM wparam, LPARAM lparam)
{
    return m_pParent != nullptr ? m_pParent->OnBaseMessage(m_nID, code, wparam, lparam) : 0;
}

int MControl::SetCursorEx(const wchar_t* name)
{
    struct NamedCursor {
        const wchar_t* name;
        const wchar_t* id;
    };
    static const NamedCursor cursors[] = {
        {L"arrow", IDC_ARROW},
        {L"wait", IDC_WAIT},
        {L"cross", IDC_CROSS},
        {L"sizewe", IDC_SIZEWE},
        {L"sizens", IDC_SIZENS},
        {L"hand", IDC_HAND},
        {L"help", IDC_HELP},
    };
    if (name == nullptr)
        return 0;
    for (const NamedCursor& cursor : cursors) {
        if (std::wcscmp(cursor.name, name) == 0) {
            m_hCursor = LoadCursorW(nullptr, cursor.id);
            break;
        }
    }
    return 0;
}

HCURSOR MControl::GetCursorEx() const { return m_hCursor; }
void MControl::SetTooltip(const wchar_t* text) { m_strTooltip = text != nullptr ? text : L""; }
std::wstring MControl::GetTooltip() const { return m_strTooltip; }

void MControl::SetTooltip(std::wstring text, RECT rect)
{
    if (m_pManager == nullptr)
        return;
    m_pManager->SetTooltip(text.c_str(), rect);
    m_pManager->SetTooltipCtrlID(static_cast<int>(m_nID));
}

void MControl::ClearTooltip()
{
    if (m_pManager == nullptr)
        return;
    m_pManager->ClearTooltip();
    m_pManager->SetTooltipCtrlID(0);
}

int MControl::IsKeyDown() const { return m_bKeyDown; }
int MControl::UseImageECM() const { return m_bImageECM; }

int MControl::PositionItem2Value(const FS_POSITION_ITEM& item, int start, int end)
{
    Layout::PositionItem position;
    position.mode = item.mode;
    position.fromEnd = item.fromEnd;
    position.value = item.value;
    return Layout::PositionItemValue(position, start, end);
}

int MControl::DrawCachedRendering(HDC& hdc, const std::function<void(HDC cache, int width, int height)>& render)
{
    const int width = RenderFrame::Width(m_rcItem);
    const int height = RenderFrame::Height(m_rcItem);
    if (width <= 0 || height <= 0)
        return 0;
    if (!GetUpdate()) {
        UpdateMemDC(hdc, width, height);
        RenderFrame::CopyBeneath(GetMemDC(), 0, hdc, m_rcItem);
        render(GetMemDC(), width, height);
    }
    RenderFrame::Present(hdc, m_rcItem, GetMemDC(), 0);
    return 1;
}

} // namespace Lumo
