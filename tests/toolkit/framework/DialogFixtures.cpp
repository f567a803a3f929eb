#include "DialogFixtures.h"

#include "ScreenPixels.h"

namespace FrameworkTest {

LRESULT TestDialog::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    messages.push_back(msg);
    if (msg == WM_NCLBUTTONDOWN && wparam == HTCAPTION) {
        dragRequests.push_back(lparam);
        return 0;
    }
    if (onMessage)
        onMessage(msg, wparam, lparam);
    return MDialog::OnWindowMessage(msg, wparam, lparam);
}

void TestDialog::InitUI(RECT client) { initUIs.push_back(client); }
void TestDialog::UISize(RECT client) { uiSizes.push_back(client); }

LRESULT TestDialog::OnMessage(UINT id, UINT code, WPARAM, LPARAM)
{
    notifications.emplace_back(id, code);
    return 0;
}

void TestDialog::OnTimer(UINT id)
{
    timers.push_back(id);
    if (onTimer)
        onTimer(id);
}

int TestDialog::OnClose() { return closeResult; }

HWND TestDialog::Open(int x, int y, int width, int height, DWORD extraStyle)
{
    return Create(nullptr, L"test dialog", WS_POPUP | extraStyle, WS_EX_TOOLWINDOW, RECT{x, y, x + width, y + height});
}

int TestDialog::Count(UINT msg) const
{
    int n = 0;
    for (UINT m : messages)
        n += m == msg ? 1 : 0;
    return n;
}

TestControl::TestControl(Lumo::MObject* parent, UINT id, RECT rect)
    : MControl(parent, id, rect, 1, 1, 1)
{
}

int TestControl::DrawControl(HDC& hdc, RECT)
{
    ++draws;
    if (!GetUpdate()) {
        ++rebuilds;
        UpdateMemDC(hdc, m_rcItem.right - m_rcItem.left, m_rcItem.bottom - m_rcItem.top);
    }
    Gdiplus::Graphics graphics(hdc);
    Gdiplus::SolidBrush brush{Gdiplus::Color(fill)};
    graphics.FillRectangle(&brush, static_cast<INT>(m_rcItem.left), static_cast<INT>(m_rcItem.top),
        static_cast<INT>(m_rcItem.right - m_rcItem.left), static_cast<INT>(m_rcItem.bottom - m_rcItem.top));
    return 1;
}

int TestControl::OnControlMouseMove(UINT, POINT point)
{
    moves.push_back(point);
    return 0;
}

int TestControl::OnControlLButtonDown(UINT, POINT point)
{
    downs.push_back(point);
    return 1;
}

int TestControl::OnControlLButtonUp(UINT, POINT point)
{
    ups.push_back(point);
    return 1;
}

int TestControl::OnControlRButtonDown(UINT, POINT)
{
    ++rightDowns;
    return 1;
}

int TestControl::OnControlScroll(int, UINT down, POINT)
{
    if (!takesScroll)
        return 0;
    scrollDirections.push_back(down);
    return 1;
}

int TestControl::OnControlKeyDown(UINT key, UINT, UINT flags)
{
    if (!takesKeys)
        return 0;
    keys.emplace_back(key, flags);
    return 1;
}

int TestControl::OnControlTimer()
{
    ++timerTicks;
    timerThreads.push_back(GetCurrentThreadId());
    return 0;
}

int TestControl::SetControlFocus(int value)
{
    focus = value;
    return MControl::SetControlFocus(value);
}

HBITMAP TestControl::GetControlDropBitmap()
{
    if (!dragImage || GetManager() == nullptr)
        return nullptr;
    return GetManager()->GetDropBitmap(this, m_rcItem, 0);
}

bool PumpUntil(const std::function<bool()>& condition, int ms) { return TestSupport::WaitUntil(condition, ms); }

} // namespace FrameworkTest
