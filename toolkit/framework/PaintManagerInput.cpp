// Focus and tooltip of the paint manager.
#include "lumo/PaintManager.h"

#include "lumo/MControl.h"
#include "lumo/Manager.h"

#include <commctrl.h>

namespace Lumo {

namespace {

constexpr UINT_PTR kTooltipToolId = 1313;

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

} // namespace

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

void PaintManager::SetTooltip(const wchar_t* text, RECT)
{
    if (!IsLiveWindow())
        return;
    const bool empty = text == nullptr || *text == L'\0';
    if (empty) {
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
    if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip)) {
        TOOLINFOW info = ToolInfo(m_hPaintWnd, L"");
        ::SendMessageW(m_hTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
        ::SendMessageW(m_hTooltip, TTM_ACTIVATE, FALSE, 0);
    }
    m_nTooltipCtrlID = 0;
}

int PaintManager::GetTooltipCtrlID() const { return m_nTooltipCtrlID; }
void PaintManager::SetTooltipCtrlID(int id) { m_nTooltipCtrlID = id; }

} // namespace Lumo
