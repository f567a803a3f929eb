// Binding of the paint manager to its window, and its control lists.
#include "lumo/PaintManager.h"

#include "lumo/MControl.h"
#include "lumo/MWindow.h"

namespace Lumo {

PaintManager::PaintManager()
    : m_pOwner(nullptr)
    , m_bInitialised(0)
    , m_hPaintWnd(nullptr)
    , m_hPaintDC(nullptr)
    , m_bLayered(0)
    , m_nScrollVID(0)
    , m_nScrollHID(0)
    , m_defaultEnabledColor(RGB(128, 128, 128))
    , m_pHoverControl(nullptr)
    , m_pFocusControl(nullptr)
    , m_hTooltip(nullptr)
    , m_nTooltipCtrlID(0)
{
}

PaintManager::~PaintManager()
{
    if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip))
        ::DestroyWindow(m_hTooltip);
    m_hTooltip = nullptr;
    ClearAllControls();
    ClearImgResInfo();
    ClearTempFont();
    if (m_hPaintDC != nullptr && m_hPaintWnd != nullptr)
        ReleaseDC(m_hPaintWnd, m_hPaintDC);
    m_hPaintDC = nullptr;
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
    m_pOwner = owner;
    m_bInitialised = 1;
    m_nScrollVID = 102;
    m_nScrollHID = 101;
    AddGDITempFont(106);
}

MWindow* PaintManager::GetMDialog() const { return m_pOwner; }
HWND PaintManager::GetPaintWnd() const { return m_hPaintWnd; }
HDC PaintManager::GetPaintDC() const { return m_hPaintDC; }
void PaintManager::SetLayeredWindow(int layered) { m_bLayered = layered; }
int PaintManager::IsLayered() const { return m_bLayered; }
bool PaintManager::IsLiveWindow() const { return m_hPaintWnd != nullptr && ::IsWindow(m_hPaintWnd); }

void PaintManager::Invalidate()
{
    if (IsLiveWindow())
        ::InvalidateRect(m_hPaintWnd, nullptr, FALSE);
}

void PaintManager::InvalidateRect(RECT rect, int erase)
{
    if (!IsLiveWindow())
        return;
    if (m_bLayered)
        ::InvalidateRect(m_hPaintWnd, nullptr, TRUE);
    else
        ::InvalidateRect(m_hPaintWnd, &rect, erase);
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
    while (DeleteFSTimer(control)) { }
}

} // namespace Lumo
