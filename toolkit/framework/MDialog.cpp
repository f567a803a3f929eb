#include "lumo/MDialog.h"

#include "framework/MouseEventDispatch.h"
#include "framework/PaintMath.h"
#include "lumo/MAirBladder.h"
#include "lumo/MControl.h"
#include "lumo/Manager.h"

namespace Lumo {

namespace {

constexpr UINT kCloseWithResult = 0x442;

Layout::Rect ToLayout(const RECT& r) { return Layout::Rect{r.left, r.top, r.right, r.bottom}; }

} // namespace

MDialog::MDialog()
    : m_rcClient{0, 0, 0, 0}
    , m_colorKey(0xFFFFFF)
    , m_nAlpha(255)
    , m_nMessageOffset(0)
    , m_nTooltipCtrlID(0)
{
}

MDialog::~MDialog()
{
    // A window that outlives the object must not reach its half-destroyed parts.
    if (IsLive() && reinterpret_cast<MWindow*>(GetWindowLongPtrW(m_hWnd, GWLP_USERDATA)) == this)
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
}

LRESULT MDialog::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case kCloseWithResult:
        return OnUserCloseWindow(wparam, lparam);
    case WM_CREATE:
        OnCreate(reinterpret_cast<CREATESTRUCTW*>(lparam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wparam), static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lparam));
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lparam));
        break;
    case WM_NCACTIVATE:
        OnNcActivate(static_cast<int>(wparam));
        break;
    case WM_TIMER:
        OnTimer(static_cast<UINT>(wparam));
        break;
    default:
        DispatchMouseEvent(*this, msg, wparam, lparam);
        break;
    }
    const LRESULT handled = m_paintManager.OnWindowMessage(msg, wparam, lparam);
    if (handled != 0)
        return handled;
    return CallWindowProcW(m_OldWndProc ? m_OldWndProc : DefWindowProcW, m_hWnd, msg, wparam, lparam);
}

int MDialog::PreTranslateMessage(MSG* msg) { return m_paintManager.PreTranslateMessage(msg) ? 1 : 0; }

int MDialog::OnInitDialog()
{
    m_paintManager.Init(m_hWnd, this);
    if (IsLive())
        ::GetClientRect(m_hWnd, &m_rcClient);
    InitUI(m_rcClient);
    return 1;
}

void MDialog::OnDestroyMessage(HWND hwnd)
{
    m_paintManager.OnDestroyMessage(hwnd);
    PostNcDestroy();
}

POINT MDialog::GetAirBladderPoint(MControl* control, UINT type)
{
    if (control == nullptr)
        return POINT{0, 0};
    const RECT rect = control->GetRect();
    POINT point{PaintMath::BubbleAnchorX(ToLayout(rect), type), rect.bottom};
    ClientToScreen(&point);
    return point;
}

void MDialog::OnMinimize() { ShowWindow(SW_MINIMIZE); }

void MDialog::OnMaximize()
{
    if (IsLive() && ::IsZoomed(m_hWnd))
        ShowWindow(SW_RESTORE);
    else
        ShowWindow(SW_MAXIMIZE);
}

void MDialog::InitUI(RECT) { }
void MDialog::UISize(RECT) { }
LRESULT MDialog::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }

LRESULT MDialog::OnUserCloseWindow(WPARAM code, LPARAM lparam)
{
    PostMessageW(WM_CLOSE, code, lparam);
    return 1;
}

int MDialog::OnCreate(CREATESTRUCTW*)
{
    // Borderless: no caption and no sizing frame; the paint manager's window
    // drag moves it.
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & 0xFF3BFFFF) | 0x06000008);
    return 1;
}

int MDialog::OnSize(UINT, int, int)
{
    if (!(IsLive() && ::IsIconic(m_hWnd)))
        SetupBackTranslucent();
    GetClientRect(&m_rcClient);
    if (m_rcClient.right - m_rcClient.left > 1 && m_rcClient.bottom - m_rcClient.top > 1)
        UISize(m_rcClient);
    InvalidateRect(m_rcClient, 0);
    return 0;
}

int MDialog::OnMouseMove(UINT, POINT) { return 0; }
int MDialog::OnMouseLeave(WPARAM, LPARAM) { return 0; }
int MDialog::OnMouseHover(WPARAM, LPARAM) { return 0; }
int MDialog::OnMouseWheel(UINT, short, POINT) { return 0; }
int MDialog::OnLButtonDown(UINT, POINT) { return 0; }
int MDialog::OnLButtonUp(UINT, POINT) { return 0; }
int MDialog::OnLButtonDblClk(UINT, POINT) { return 0; }
int MDialog::OnRButtonDown(UINT, POINT) { return 0; }
int MDialog::OnRButtonUp(UINT, POINT) { return 0; }
int MDialog::OnRButtonDblClk(UINT, POINT) { return 0; }
int MDialog::OnKeyDown(UINT, UINT, UINT) { return 0; }
int MDialog::OnNcHitTest(POINT) { return 0; }
int MDialog::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
int MDialog::OnNcCalcSize(int, NCCALCSIZE_PARAMS*) { return 0; }
int MDialog::OnNcActivate(int) { return 0; }
int MDialog::OnWindowPosChanging(WINDOWPOS*) { return 1; }
int MDialog::OnWindowPosChanged(WINDOWPOS*) { return 1; }
int MDialog::OnPaint() { return 0; }
void MDialog::OnTimer(UINT) { }
int MDialog::OnNcPaint() { return 0; }
int MDialog::OnClose() { return 1; }
int MDialog::OnDestroy() { return 0; }
int MDialog::PostNcDestroy() { return 0; }

const wchar_t* MDialog::GetClassNameW() const { return L"MDialog"; }

LRESULT MDialog::OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam)
{
    return OnMessage(id, code, wparam, lparam);
}

LRESULT MDialog::OnControlUpdate(RECT rect, int rebuild, MControl* control)
{
    return m_paintManager.OnControlUpdate(rect, rebuild, control);
}

int MDialog::LoadBKImage(std::wstring file) { return m_paintManager.LoadBKImage(std::move(file)); }

int MDialog::LoadBKImage(UINT id, std::wstring type) { return m_paintManager.LoadBKImage(id, std::move(type)); }

void MDialog::SetBackMode(enumBackMode mode, int parameter) { m_paintManager.SetBackMode(mode, parameter); }

void MDialog::SetScrollResID(UINT vertical, UINT horizontal) { m_paintManager.SetScrollResID(vertical, horizontal); }

int MDialog::SetSize(int size) { return m_paintManager.SetSize(size); }
int MDialog::SetSharpness(UINT sharpness) { return m_paintManager.SetSharpness(sharpness); }
int MDialog::SetDarkness(UINT darkness) { return m_paintManager.SetDarkness(darkness); }
int MDialog::SetPosition(int x, int y) { return m_paintManager.SetPosition(x, y); }
int MDialog::SetShadowColor(DWORD colour) { return m_paintManager.SetShadowColor(colour); }
void MDialog::SetShadowImage(const wchar_t* file, RECT corners) { m_paintManager.SetShadowImage(file, corners); }
void MDialog::SetShadowImage(UINT id, RECT corners) { m_paintManager.SetShadowImage(id, corners); }
void MDialog::SetShadowShow(int show) { m_paintManager.SetShadowShow(show); }

void MDialog::SetProgress(int percent, std::wstring text, RECT rect)
{
    m_paintManager.SetProgress(percent, std::move(text), rect);
}

void MDialog::SetLayeredWindow(int layered) { m_paintManager.SetLayeredWindow(layered); }
void MDialog::EnableWndDrag(int enable) { m_paintManager.EnableWndDrag(enable); }
void MDialog::EnableDrawInfo(int enable) { m_paintManager.EnableDrawInfo(enable); }
void MDialog::SetTooltip(std::wstring text, RECT rect) { m_paintManager.SetTooltip(text.c_str(), rect); }
void MDialog::ClearTooltip() { m_paintManager.ClearTooltip(); }
MControl* MDialog::GetControl(UINT id) { return m_paintManager.GetControl(id); }
std::vector<MControl*>* MDialog::GetControls() { return m_paintManager.GetControls(); }
void MDialog::SetFocusControl(MControl* control) { m_paintManager.SetFocusControl(control); }
PaintManager* MDialog::GetPaintManager() { return &m_paintManager; }

MControl* MDialog::CreateArea(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    return m_paintManager.CreateArea(static_cast<MObject*>(this), className, id, rect, text, int1, int2);
}

MControl* MDialog::CreateControl(const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    return m_paintManager.CreateControl(static_cast<MObject*>(this), className, id, rect, text, int1, int2);
}

void MDialog::CreateShadow(int show, bool flag) { m_paintManager.CreateShadow(show, flag); }

void MDialog::SetMessage(std::wstring text, RECT rect, MsgLevel level)
{
    if (::IsRectEmpty(&rect)) {
        RECT client{0, 0, 0, 0};
        GetClientRect(&client);
        const Layout::Rect box = PaintMath::DefaultMessageRect(ToLayout(client), m_nMessageOffset);
        rect = RECT{box.left, box.top, box.right, box.bottom};
    }
    m_paintManager.SetMessage(std::move(text), rect, level);
}

int MDialog::SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type)
{
    if (point.x == 0 || point.y == 0)
        return 0;
    if (!m_paintManager.SetAirBladderMsg(text, point, type, AIRBLADDER_BELOW))
        return 0;
    if (MAirBladder* bubble = m_paintManager.GetAirBladder())
        bubble->ShowWindow(SW_SHOW);
    return 1;
}

UINT MDialog::SetMTimer(UINT delay) { return m_paintManager.SetMTimer(delay); }
void MDialog::KillMTimer(UINT id) { m_paintManager.KillMTimer(id); }

void MDialog::PostResult(WPARAM code)
{
    if (HasHandle())
        PostMessageW(kCloseWithResult, code, 0);
}

void MDialog::DoOK() { PostResult(1); }
void MDialog::DoCancel() { PostResult(2); }
void MDialog::DoClose() { PostResult(2); }
void MDialog::DoYes() { PostResult(6); }
void MDialog::DoNo() { PostResult(7); }

void MDialog::SetupBackTranslucent()
{
    if (!IsLive())
        return;
    if (m_nAlpha != 255) {
        ModifyExStyle(0, WS_EX_LAYERED, 0);
        SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(m_nAlpha), LWA_ALPHA);
    } else if (m_colorKey != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED, 0);
        SetLayeredWindowAttributes(m_hWnd, m_colorKey, 255, LWA_COLORKEY);
    }
}

void MDialog::SetTooltipCtrlID(int id) { m_nTooltipCtrlID = id; }
int MDialog::GetTooltipCtrlID() const { return m_nTooltipCtrlID; }
void MDialog::SetupRegion(int) { }

} // namespace Lumo
