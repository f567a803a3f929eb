#include "ScreenPixels.h"

namespace TestSupport {

void PumpMessages(int ms)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        if (condition())
            return true;
        PumpMessages(20);
    }
    return condition();
}

} // namespace TestSupport
