// Binding of the paint manager to its window, its control lists, the shadow
// it forwards to, and its teardown.
#include "lumo/PaintManager.h"

#include "controls/ControlFactory.h"
#include "lumo/MAirBladder.h"
#include "lumo/MControl.h"
#include "lumo/MControlFont.h"
#include "lumo/MWindow.h"
#include "lumo/Manager.h"

namespace Lumo {

PaintManager::PaintManager()
    : m_pOwner(nullptr)
    , m_bInitialised(0)
    , m_hPaintWnd(nullptr)
    , m_hPaintDC(nullptr)
    , m_hTickWnd(nullptr)
    , m_bDropTarget(0)
    , m_nBackMode(BACKMODE_STRETCH)
    , m_nBackParameter(4)
    , m_pBkImage(nullptr)
    , m_nBkWidth(0)
    , m_nBkHeight(0)
    , m_innerColor(RGB(5, 5, 5))
    , m_borderColor(RGB(189, 48, 255))
    , m_bLayered(0)
    , m_bDrawInfo(0)
    , m_rcCaption{0, 0, 0, 0}
    , m_maxSize{0, 0}
    , m_minSize{0, 0}
    , m_defaultEnabledColor(RGB(128, 128, 128))
    , m_nScrollVID(0)
    , m_nScrollHID(0)
    , m_nMsgLevel(MSGLEVEL_INFO)
    , m_nMsgAlpha(0)
    , m_nProgress(0)
    , m_nProgressTarget(0)
    , m_strMsgFont(L"Arial")
    , m_rcMessage{0, 0, 0, 0}
    , m_bShadowShow(0)
    , m_rcCaret{0, 0, 0, 0}
    , m_bCaretPhase(0)
    , m_bCaretShown(0)
    , m_pCaretOwner(nullptr)
    , m_pHoverControl(nullptr)
    , m_pFocusControl(nullptr)
    , m_bTracking(0)
    , m_bPressed(0)
    , m_bCaptured(0)
    , m_bWndDrag(1)
    , m_bDragPending(0)
    , m_ptLastDrag{0, 0}
    , m_hDragBitmap(nullptr)
    , m_hTooltip(nullptr)
    , m_nTooltipCtrlID(0)
    , m_pAirBladder(nullptr)
    , m_nAirBladderType(0)
    , m_nTimerCounter(4096)
    , m_nAnimationTimerId(0)
    , m_bTickPending(false)
{
}

PaintManager::~PaintManager()
{
    // First, so that no timer callback reaches a half-destroyed manager.
    RKTimer::KillTimer();
    m_nAnimationTimerId = 0;
    if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip))
        ::DestroyWindow(m_hTooltip);
    m_hTooltip = nullptr;
    if (m_pAirBladder != nullptr) {
        m_pAirBladder->DestroyWindow();
        delete m_pAirBladder;
        m_pAirBladder = nullptr;
    }
    if (m_hDragBitmap != nullptr)
        DeleteObject(m_hDragBitmap);
    m_hDragBitmap = nullptr;
    DestroyData();
    // A manager that was never bound still owns what it was given.
    ClearAllControls();
    ClearTimers();
    ClearImgResInfo();
    ClearTempFont();
    delete m_pBkImage;
    m_pBkImage = nullptr;
}

void PaintManager::Init(HWND hwnd, MWindow* owner)
{
    if (hwnd == nullptr || !::IsWindow(hwnd))
        return;
    if (hwnd != m_hPaintWnd) {
        if (m_hPaintDC != nullptr && m_hPaintWnd != nullptr)
            ReleaseDC(m_hPaintWnd, m_hPaintDC);
        m_hPaintWnd = hwnd;
        m_hPaintDC = GetDC(hwnd);
    }
    m_hTickWnd = hwnd;
    m_pOwner = owner;
    InitDragDrop();
    m_bInitialised = 1;
    m_nScrollVID = 102;
    m_nScrollHID = 101;
    AddGDITempFont(106);
}

MWindow* PaintManager::GetMDialog() const { return m_pOwner; }
HWND PaintManager::GetPaintWnd() const { return m_hPaintWnd; }
HDC PaintManager::GetPaintDC() const { return m_hPaintDC; }
bool PaintManager::IsLiveWindow() const { return m_hPaintWnd != nullptr && ::IsWindow(m_hPaintWnd); }

void PaintManager::GetClientRect(RECT& rect) const
{
    rect = RECT{0, 0, 0, 0};
    if (IsLiveWindow())
        ::GetClientRect(m_hPaintWnd, &rect);
}

void PaintManager::GetWindowRect(RECT& rect) const
{
    rect = RECT{0, 0, 0, 0};
    if (IsLiveWindow())
        ::GetWindowRect(m_hPaintWnd, &rect);
}

void PaintManager::GetClientSize(int& width, int& height) const
{
    RECT client;
    GetClientRect(client);
    width = client.right - client.left;
    height = client.bottom - client.top;
}

void PaintManager::SetCaptionRect(RECT rect) { m_rcCaption = rect; }
void PaintManager::GetCaptionRect(RECT& rect) const { rect = m_rcCaption; }
void PaintManager::SetWindowMaxSize(int width, int height) { m_maxSize = SIZE{width, height}; }

void PaintManager::GetWindowManSize(int& width, int& height) const
{
    width = m_maxSize.cx;
    height = m_maxSize.cy;
}

void PaintManager::SetWindowMixSize(int width, int height) { m_minSize = SIZE{width, height}; }

void PaintManager::GetWindowMinSize(int& width, int& height) const
{
    width = m_minSize.cx;
    height = m_minSize.cy;
}

void PaintManager::SetLayeredWindow(int layered) { m_bLayered = layered; }
int PaintManager::IsLayered() const { return m_bLayered; }
void PaintManager::EnableWndDrag(int enable) { m_bWndDrag = enable; }
void PaintManager::EnableDrawInfo(int enable) { m_bDrawInfo = enable; }

LRESULT PaintManager::SendMessageW(UINT msg, WPARAM wparam, LPARAM lparam)
{
    return IsLiveWindow() ? ::SendMessageW(m_hPaintWnd, msg, wparam, lparam) : 0;
}

LRESULT PaintManager::PostMessageW(UINT msg, WPARAM wparam, LPARAM lparam)
{
    return IsLiveWindow() ? ::PostMessageW(m_hPaintWnd, msg, wparam, lparam) : 0;
}

// --- Shadow ---

void PaintManager::CreateShadow(int show, bool flag)
{
    MShadow::Initialize(Manager::m_hInstance, flag);
    m_bShadowShow = show;
    m_shadow.ShowShadow(show);
    m_shadow.Create(this);
}

int PaintManager::SetSize(int size) { return m_shadow.SetSize(size); }
int PaintManager::SetSharpness(UINT sharpness) { return m_shadow.SetSharpness(sharpness); }
int PaintManager::SetDarkness(UINT darkness) { return m_shadow.SetDarkness(darkness); }
int PaintManager::SetPosition(int x, int y) { return m_shadow.SetPosition(x, y); }
int PaintManager::SetShadowColor(DWORD colour) { return m_shadow.SetColor(colour); }

int PaintManager::SetShadowImage(const wchar_t* file, RECT corners)
{
    m_shadow.SetShadowCorner(corners.left, corners.top, corners.right, corners.bottom);
    return m_shadow.SetImage(file);
}

int PaintManager::SetShadowImage(UINT id, RECT corners)
{
    m_shadow.SetShadowCorner(corners.left, corners.top, corners.right, corners.bottom);
    return m_shadow.SetImage(id);
}

void PaintManager::SetShadowShow(int show)
{
    m_bShadowShow = show;
    m_shadow.ShowShadow(show);
}

void PaintManager::DisableShadow(int disable) { m_shadow.DisableShadow(disable); }
MShadow* PaintManager::GetShadow() { return &m_shadow; }

// --- Controls ---

MControl* PaintManager::CreateControl(
    UINT kind, MObject* parent, const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    MControl* control
        = ControlFactory::Create(Catalog::Factory::PaintManager, parent, className, id, rect, text, int1, int2);
    return AddControl(kind, control);
}

MControl* PaintManager::CreateControl(
    MObject* parent, const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    return CreateControl(1, parent, className, id, rect, text, int1, int2);
}

MControl* PaintManager::CreateArea(
    MObject* parent, const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2)
{
    return CreateControl(0, parent, className, id, rect, text, int1, int2);
}

MControl* PaintManager::AddControl(UINT kind, MControl* control)
{
    if (control == nullptr)
        return nullptr;
    control->SetManager(this);
    if (kind == 0) {
        ScopedLock lock(m_areaLock);
        m_areas.push_back(control);
    } else if (kind == 1) {
        ScopedLock lock(m_controlLock);
        m_controls.push_back(control);
    }
    return control;
}

MControl* PaintManager::GetControl(UINT id)
{
    for (auto* list : {&m_controls, &m_areas}) {
        for (MControl* control : *list) {
            if (control->GetControlID() == id)
                return control;
            if (MControl* found = control->GetControl(id))
                return found;
        }
    }
    return nullptr;
}

std::vector<MControl*>* PaintManager::GetControls() { return &m_controls; }

void PaintManager::RemoveControl(MControl* control)
{
    if (control == nullptr)
        return;
    ScopedLock lock(m_controlLock);
    for (auto it = m_controls.begin(); it != m_controls.end(); ++it) {
        if (*it == control) {
            m_controls.erase(it);
            delete control;
            return;
        }
    }
}

void PaintManager::DeleteList(std::vector<MControl*>& list, CriticalSection& lock)
{
    ScopedLock guard(lock);
    std::vector<MControl*> doomed;
    doomed.swap(list);
    for (MControl* control : doomed)
        delete control;
}

void PaintManager::ClearAreaControls() { DeleteList(m_areas, m_areaLock); }
void PaintManager::ClearControls() { DeleteList(m_controls, m_controlLock); }

void PaintManager::ClearAllControls()
{
    ClearAreaControls();
    ClearControls();
}

void PaintManager::ForgetControl(MControl* control)
{
    if (m_pFocusControl == control)
        m_pFocusControl = nullptr;
    if (m_pHoverControl == control)
        m_pHoverControl = nullptr;
    if (m_pCaretOwner != nullptr && static_cast<MControl*>(m_pCaretOwner) == control)
        m_pCaretOwner = nullptr;
    while (DeleteFSTimer(control)) { }
    KillTimer(control);
}

// --- Teardown ---

void PaintManager::DestroyData()
{
    if (!m_bInitialised)
        return;
    delete m_pBkImage;
    m_pBkImage = nullptr;
    if (m_hPaintDC != nullptr && m_hPaintWnd != nullptr)
        ReleaseDC(m_hPaintWnd, m_hPaintDC);
    m_hPaintDC = nullptr;
    m_hTickWnd = nullptr;
    RKTimer::KillTimer();
    m_nAnimationTimerId = 0;
    ClearTimers();
    if (m_bDropTarget && m_hPaintWnd != nullptr)
        RevokeDragDrop(m_hPaintWnd);
    m_bDropTarget = 0;
    if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip))
        ::DestroyWindow(m_hTooltip);
    m_hTooltip = nullptr;
    ClearAreaControls();
    ClearControls();
    ClearImgResInfo();
    ClearTempFont();
    m_pHoverControl = nullptr;
    m_pFocusControl = nullptr;
    m_pCaretOwner = nullptr;
    m_bPressed = 0;
    m_bCaptured = 0;
    m_bTracking = 0;
    m_bDragPending = 0;
    m_bInitialised = 0;
}

void PaintManager::OnDestroyMessage(HWND hwnd)
{
    if (hwnd != nullptr && hwnd == m_hPaintWnd)
        DestroyData();
}

} // namespace Lumo
