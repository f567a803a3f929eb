// Input dispatch of the paint manager: message routing, mouse, wheel and
// keys, hover, focus and capture, window drag, Tab order, tooltip and bubble.
#include "lumo/PaintManager.h"

#include "framework/MouseEventDispatch.h"

#include "framework/PaintMath.h"
#include "lumo/MAirBladder.h"
#include "lumo/MControl.h"
#include "lumo/Manager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace Lumo {

namespace {

constexpr UINT_PTR kTooltipToolId = 1313;
constexpr UINT kReflectOffset = 0x2000;
const POINT kOutside{-1, -1};

UINT AnimationTickMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Lumo.PaintManager.AnimationTick");
    return message;
}

TOOLINFOW ToolInfo(HWND owner, const wchar_t* text)
{
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_PARSELINKS;
    info.hwnd = owner;
    info.uId = kTooltipToolId;
    info.hinst = Manager::m_hInstance;
    info.lpszText = const_cast<wchar_t*>(text);
    ::GetClientRect(owner, &info.rect);
    return info;
}

HWND CreateTooltipWindow(HWND owner)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, Manager::m_hInstance, nullptr);
    if (tooltip == nullptr)
        return nullptr;
    ::SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 256);
    ::SendMessageW(tooltip, TTM_SETTIPBKCOLOR, RGB(255, 255, 255), 0);
    TOOLINFOW info = ToolInfo(owner, L"");
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (GetACP() == 936) {
        RECT margins{2, 3, 0, 0};
        ::SendMessageW(tooltip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    }
    return tooltip;
}

bool IsFocusable(MControl* control) { return control->IsVisible() && control->IsEnabled() && control->IsTabStop(); }

} // namespace

UINT PaintManager::ModifierCode()
{
    UINT code = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        code |= 0x10;
    if (GetKeyState(VK_CONTROL) < 0)
        code |= 0x11;
    if (GetKeyState(VK_MENU) < 0)
        code |= 0x12;
    return code;
}

LRESULT PaintManager::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == AnimationTickMessage()) {
        DispatchAnimationTick();
        return 1;
    }
    {
        // Controls that host child windows see every message first.
        ScopedLock lock(m_controlLock);
        for (MControl* control : m_controls) {
            if (control->OnWindowMessage(msg, wparam, lparam))
                return 0;
        }
    }
    switch (msg) {
    case WM_PAINT:
        return OnPaint() ? 1 : 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        if (m_minSize.cx > 0)
            info->ptMinTrackSize.x = m_minSize.cx;
        if (m_minSize.cy > 0)
            info->ptMinTrackSize.y = m_minSize.cy;
        if (m_maxSize.cx > 0) {
            info->ptMaxTrackSize.x = m_maxSize.cx;
            info->ptMaxSize.x = m_maxSize.cx;
        }
        if (m_maxSize.cy > 0) {
            info->ptMaxTrackSize.y = m_maxSize.cy;
            info->ptMaxSize.y = m_maxSize.cy;
        }
        return 1;
    }
    case WM_DESTROY:
        // OLE keeps the registration with the window: revoke it while it exists.
        if (m_bDropTarget)
            RevokeDragDrop(m_hPaintWnd);
        m_bDropTarget = 0;
        return 1;
    case WM_CREATE:
    case WM_SIZE:
    case WM_CHAR:
    case WM_MOUSEHOVER:
        return 1;
    case WM_NCDESTROY:
        DestroyData();
        return 1;
    case WM_NCACTIVATE:
        OnNcActivate(static_cast<int>(wparam));
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Also keeps Alt+F4 and Alt+Space from the default procedure.
        OnKeyDown(static_cast<UINT>(wparam), lparam);
        return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return 0;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        HWND child = reinterpret_cast<HWND>(lparam);
        return child != nullptr ? ::SendMessageW(child, msg + kReflectOffset, wparam, lparam) : 0;
    }
    case WM_TIMER:
        OnTimer(static_cast<UINT>(wparam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(static_cast<UINT>(wparam), PointOfMessage(lparam));
        return 1;
    case WM_MOUSELEAVE:
        OnMouseLeave(wparam, lparam);
        return 1;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(wparam), static_cast<short>(HIWORD(wparam)), PointOfMessage(lparam));
    default:
        return 0;
    }
}

int PaintManager::PreTranslateMessage(MSG* msg)
{
    if (msg == nullptr)
        return 0;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_TAB) {
        const UINT modifiers = ModifierCode();
        if (modifiers == 0 || modifiers == 0x10) {
            MControl* next = modifiers == 0 ? GetNextFocusableControl() : GetPrevFocusableControl();
            if (next != m_pFocusControl) {
                SetFocusControl(next);
                return 1;
            }
        }
    }
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip))
            ::SendMessageW(m_hTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
        break;
    default:
        break;
    }
    return 0;
}

int PaintManager::OnMouseMove(UINT keys, POINT point)
{
    if (!m_bTracking && IsLiveWindow()) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m_hPaintWnd, 400};
        m_bTracking = TrackMouseEvent(&track) ? 1 : 0;
    }
    if (m_bDragPending && (keys & MK_LBUTTON)) {
        // A small step from the last position starts the drag; a jump does not.
        const bool jumped = std::abs(point.x - m_ptLastDrag.x) >= 3 && std::abs(point.y - m_ptLastDrag.y) >= 3;
        m_ptLastDrag = point;
        if (!jumped) {
            StartDrag();
            return 1;
        }
    }
    MControl* hover = m_pHoverControl;
    if (hover != nullptr && hover->PtInRect(point) && hover->OnCheckMouseResponse(keys, point) && m_bTracking) {
        ScopedLock lock(m_controlLock);
        hover->OnMouseMove(keys, point);
        return 1;
    }
    ClearTooltip();
    if (m_bPressed)
        return 1;
    if (!m_bTracking) {
        m_pHoverControl = nullptr;
        return 1;
    }
    ScopedLock lock(m_controlLock);
    MControl* found = nullptr;
    for (MControl* control : m_controls) {
        control->OnMouseMove(keys, point);
        if (control->PtInRect(point) && control->GetRresponse())
            found = control;
    }
    m_pHoverControl = found;
    return 1;
}

int PaintManager::OnMouseLeave(WPARAM, LPARAM)
{
    ClearTooltip();
    m_bTracking = 0;
    if (m_bPressed)
        return 1;
    if (MControl* hover = m_pHoverControl) {
        ScopedLock lock(m_controlLock);
        hover->OnMouseMove(0, kOutside);
    }
    m_pHoverControl = nullptr;
    return 1;
}

int PaintManager::OnMouseWheel(UINT, short delta, POINT screenPoint)
{
    POINT point = screenPoint;
    if (IsLiveWindow())
        ::ScreenToClient(m_hPaintWnd, &point);
    const PaintMath::WheelSteps steps = PaintMath::StepsOfWheel(delta);
    int taken = 0;
    for (int step = 0; step < steps.count; ++step) {
        ScopedLock lock(m_controlLock);
        if (m_pHoverControl != nullptr && m_pHoverControl->OnScroll(1, steps.direction, point)) {
            taken = 1;
            continue;
        }
        for (MControl* control : m_controls) {
            if (control->OnScroll(1, steps.direction, point)) {
                taken = 1;
                break;
            }
        }
    }
    return taken;
}

int PaintManager::OnLButtonDown(UINT keys, POINT point)
{
    if (m_pFocusControl != nullptr && m_pFocusControl != m_pHoverControl) {
        m_pFocusControl->SetControlFocus(0);
        m_pFocusControl = nullptr;
    }
    MControl* hover = m_pHoverControl;
    if (hover != nullptr && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(point)
        && hover->OnCheckMouseResponse(keys, point)) {
        if (hover->IsDragDrop() && hover->IsEnabled()) {
            m_bDragPending = 1;
            m_ptLastDrag = point;
            if (m_hDragBitmap != nullptr)
                DeleteObject(m_hDragBitmap);
            m_hDragBitmap = hover->GetDropBitmap();
        }
        m_bPressed = 1;
        SetFocusControl(hover);
        int handled = 0;
        {
            ScopedLock lock(m_controlLock);
            handled = hover->OnLButtonDown(keys, point);
        }
        if (!m_bCaptured && (m_pHoverControl == nullptr || m_pHoverControl->OnCheckMouseResponse(keys, point))) {
            SetCapture();
            m_bCaptured = 1;
            return 1;
        }
        if (handled)
            return 1;
    }
    if (!m_bWndDrag)
        return 1;
    // Nothing took the click: the window moves with the mouse.
    ::ReleaseCapture();
    if (IsLiveWindow())
        ::SendMessageW(m_hPaintWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    return 1;
}

int PaintManager::OnLButtonUp(UINT keys, POINT point)
{
    EndCapture();
    m_bPressed = 0;
    m_bDragPending = 0;
    PassReleaseToHover(keys, point, &MControl::OnLButtonUp);
    return 1;
}

int PaintManager::OnLButtonDblClk(UINT keys, POINT point)
{
    PassReleaseToHover(keys, point, &MControl::OnLButtonDblClk);
    return 1;
}

int PaintManager::OnRButtonDown(UINT keys, POINT point)
{
    if (m_pFocusControl != nullptr && m_pFocusControl != m_pHoverControl) {
        m_pFocusControl->SetControlFocus(0);
        m_pFocusControl = nullptr;
    }
    MControl* hover = m_pHoverControl;
    if (hover != nullptr && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(point)
        && hover->OnCheckMouseResponse(keys, point)) {
        SetFocusControl(hover);
        {
            ScopedLock lock(m_controlLock);
            hover->OnRButtonDown(keys, point);
        }
        if (!m_bCaptured && m_pHoverControl != nullptr && m_pHoverControl->OnCheckMouseResponse(keys, point)) {
            SetCapture();
            m_bCaptured = 1;
        }
    }
    return 1;
}

int PaintManager::OnRButtonUp(UINT keys, POINT point)
{
    EndCapture();
    PassReleaseToHover(keys, point, &MControl::OnRButtonUp);
    return 1;
}

int PaintManager::OnRButtonDblClk(UINT keys, POINT point)
{
    EndCapture();
    PassReleaseToHover(keys, point, &MControl::OnRButtonDblClk);
    return 1;
}

void PaintManager::EndCapture()
{
    if (m_bCaptured) {
        ReleaseCapture();
        m_bCaptured = 0;
    }
}

void PaintManager::PassReleaseToHover(UINT keys, POINT point, int (MControl::*handler)(UINT, POINT))
{
    MControl* hover = m_pHoverControl;
    if (hover == nullptr || !hover->IsVisible() || !hover->GetRresponse()) {
        m_pHoverControl = nullptr;
        return;
    }
    const RECT area = hover->GetRect();
    {
        ScopedLock lock(m_controlLock);
        (hover->*handler)(keys, point);
    }
    if (!::PtInRect(&area, point) && m_pHoverControl == hover)
        m_pHoverControl = nullptr;
}

int PaintManager::OnKeyDown(UINT key, LPARAM)
{
    const UINT modifiers = ModifierCode();
    ScopedLock lock(m_controlLock);
    if (m_pHoverControl != nullptr && m_pHoverControl->OnKeyDown(key, 1, modifiers))
        return 1;
    for (MControl* control : m_controls) {
        if (control->OnKeyDown(key, 1, modifiers))
            break;
    }
    return 1;
}

int PaintManager::OnKeyUp(UINT, LPARAM) { return 0; }

int PaintManager::OnNcActivate(int active)
{
    if (!active) {
        m_bTracking = 0;
        m_bCaptured = 0;
        MControl* hover = m_pHoverControl;
        if (hover != nullptr) {
            ScopedLock lock(m_controlLock);
            if (m_bPressed)
                hover->OnLButtonUp(0, kOutside);
            else
                hover->OnMouseMove(0, kOutside);
        }
        m_bPressed = 0;
        m_pHoverControl = nullptr;
    }
    RECT client;
    GetClientRect(client);
    InvalidateRect(client, FALSE);
    return 1;
}

HWND PaintManager::SetCapture() { return IsLiveWindow() ? ::SetCapture(m_hPaintWnd) : nullptr; }
int PaintManager::ReleaseCapture() { return IsLiveWindow() ? ::ReleaseCapture() : 0; }
int PaintManager::IsCaptured() const { return m_bCaptured; }

// --- Focus ---

void PaintManager::SetFocusControl(MControl* control)
{
    if (control == m_pFocusControl)
        return;
    if (m_pFocusControl != nullptr)
        m_pFocusControl->SetControlFocus(0);
    if (control != nullptr)
        control->SetControlFocus(1);
    m_pFocusControl = control;
}

MControl* PaintManager::GetFocusControl() const { return m_pFocusControl; }
MControl* PaintManager::GetHoverControl() const { return m_pHoverControl; }

MControl* PaintManager::FocusableFrom(bool forward)
{
    ScopedLock lock(m_controlLock);
    std::vector<MControl*> order(m_controls);
    if (!forward)
        std::reverse(order.begin(), order.end());
    bool found = false;
    for (MControl* control : order) {
        if (found && IsFocusable(control))
            return control;
        if (control == m_pFocusControl)
            found = true;
    }
    // Second pass from the start, for a window without a focus control.
    found = m_pFocusControl == nullptr;
    for (MControl* control : order) {
        if (m_pHoverControl == nullptr)
            m_pHoverControl = control;
        if (found && IsFocusable(control))
            return control;
        if (control == m_pFocusControl)
            found = true;
    }
    return nullptr;
}

MControl* PaintManager::GetNextFocusableControl() { return FocusableFrom(true); }
MControl* PaintManager::GetPrevFocusableControl() { return FocusableFrom(false); }

// --- Tooltip ---

void PaintManager::SetTooltip(const wchar_t* text, RECT)
{
    if (!IsLiveWindow())
        return;
    if (text == nullptr || *text == L'\0') {
        if (m_hTooltip != nullptr) {
            TOOLINFOW info = ToolInfo(m_hPaintWnd, L"");
            ::SendMessageW(m_hTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
            ::SendMessageW(m_hTooltip, TTM_ACTIVATE, FALSE, 0);
        }
        return;
    }
    if (m_hTooltip == nullptr)
        m_hTooltip = CreateTooltipWindow(m_hPaintWnd);
    if (m_hTooltip == nullptr)
        return;
    TOOLINFOW info = ToolInfo(m_hPaintWnd, text);
    ::SendMessageW(m_hTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageW(m_hTooltip, TTM_ACTIVATE, TRUE, 0);
}

void PaintManager::ClearTooltip()
{
    if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip) && IsLiveWindow()) {
        TOOLINFOW info = ToolInfo(m_hPaintWnd, L"");
        ::SendMessageW(m_hTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
        ::SendMessageW(m_hTooltip, TTM_ACTIVATE, FALSE, 0);
    }
    m_nTooltipCtrlID = 0;
}

int PaintManager::GetTooltipCtrlID() const { return m_nTooltipCtrlID; }
void PaintManager::SetTooltipCtrlID(int id) { m_nTooltipCtrlID = id; }
HWND PaintManager::GetTooltipWnd() const { return m_hTooltip; }

// --- Bubble ---

int PaintManager::SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode)
{
    if (text == nullptr || !IsLiveWindow())
        return 0;
    if (m_pAirBladder == nullptr) {
        m_pAirBladder = new MAirBladder;
        m_pAirBladder->Create(m_hPaintWnd, L"AirBladder Window", 0x96000080, 0, RECT{0, 0, 0, 0});
        m_pAirBladder->LoadBKImage(L"img_tip_bk.png");
        m_pAirBladder->LoadArrowLImage(L"img_tip_arrow_left.png");
        m_pAirBladder->LoadArrowRImage(L"img_tip_arrow_right.png");
        m_pAirBladder->LoadArrowTImage(L"img_tip_arrow_top.png");
    }
    return m_pAirBladder->SetAirBladderMsg(text, point, type, mode);
}

int PaintManager::ShowAirBladder(int show, int type)
{
    if (m_pAirBladder == nullptr)
        return 0;
    if (type != 0) {
        if (show)
            m_nAirBladderType = type;
        else if (type != m_nAirBladderType)
            return 0;
    }
    return m_pAirBladder->ShowWindow(show);
}

MAirBladder* PaintManager::GetAirBladder() const { return m_pAirBladder; }

} // namespace Lumo
