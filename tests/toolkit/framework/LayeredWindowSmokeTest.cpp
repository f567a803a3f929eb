// A real layered window under Wine: painted with GDI+ into a 32-bit DIB with
// per-pixel alpha, pushed with UpdateLayeredWindow and read back from the screen.
#include "ScreenPixels.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

namespace {

constexpr int kLeft = 200, kTop = 150, kWidth = 80, kHeight = 40;

struct LayeredWindow {
    HWND hwnd = nullptr;
    LayeredWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LayeredSmoke";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"smoke", WS_POPUP,
            kLeft, kTop, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~LayeredWindow() { DestroyWindow(hwnd); }
};

// Left half opaque orange, right half fully transparent.
bool PaintAndPush(HWND hwnd)
{
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    {
        Gdiplus::Graphics g(mem);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        Gdiplus::SolidBrush orange(Gdiplus::Color(255, 240, 120, 10));
        g.FillRectangle(&orange, 0, 0, kWidth / 2, kHeight);
    }
    POINT source{0, 0}, position{kLeft, kTop};
    SIZE size{kWidth, kHeight};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL ok = UpdateLayeredWindow(hwnd, screen, &position, &size, mem, &source, 0, &blend, ULW_ALPHA);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok != FALSE;
}

TEST(LayeredWindowSmoke, GdiplusPixelsWithAlphaReachTheScreen)
{
    const COLORREF before = TestSupport::ScreenPixel(kLeft + kWidth * 3 / 4, kTop + kHeight / 2);
    LayeredWindow window;
    ASSERT_NE(window.hwnd, nullptr);
    ASSERT_TRUE(PaintAndPush(window.hwnd));
    ShowWindow(window.hwnd, SW_SHOWNOACTIVATE);

    const bool shown
        = TestSupport::WaitUntil([] { return TestSupport::ScreenPixel(kLeft + 10, kTop + 10) == RGB(240, 120, 10); });
    EXPECT_TRUE(shown) << std::hex << TestSupport::ScreenPixel(kLeft + 10, kTop + 10);
    // Alpha 0 is cut out: what was on the screen before still shows there.
    EXPECT_EQ(TestSupport::ScreenPixel(kLeft + kWidth * 3 / 4, kTop + kHeight / 2), before);
}

} // namespace
