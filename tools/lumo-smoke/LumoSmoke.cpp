// Shows the skin's window background as a layered window for a few seconds,
// with sample values drawn the way the program draws its overlay.
#include "lumo/Manager.h"

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 250;

void DrawValue(Gdiplus::Graphics& g, const wchar_t* text, Gdiplus::RectF box)
{
    Gdiplus::FontFamily family(Lumo::Manager::GetFontName().c_str());
    Gdiplus::Font font(&family, 50.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFF, 0xFB, 0xFB, 0xFB));
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.DrawString(text, -1, &font, box, &format, &brush);
}

bool Present(HWND hwnd, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    bool loaded = false;
    {
        Gdiplus::Graphics g(mem);
        const std::wstring path = Lumo::GetSkinPath() + L"img_cpu_bkg5.png";
        Gdiplus::Image background(path.c_str());
        loaded = background.GetLastStatus() == Gdiplus::Ok;
        if (loaded)
            g.DrawImage(&background, 0, 0, kWidth, kHeight);
        else
            g.Clear(Gdiplus::Color(254, 5, 5, 5));
        DrawValue(g, L"1234", Gdiplus::RectF(kWidth / 2 - 160, 100, 150, 60));
        DrawValue(g, L"45", Gdiplus::RectF(kWidth / 2 + 15, 100, 120, 60));
    }
    POINT source{0, 0}, position{x, y};
    SIZE size{kWidth, kHeight};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(hwnd, screen, &position, &size, mem, &source, 0, &blend, ULW_ALPHA);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return loaded;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    const int seconds = std::wcslen(commandLine) > 0 ? _wtoi(commandLine) : 5;
    Lumo::Manager::SetInstance(instance);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = L"LumoSmoke";
    RegisterClassW(&wc);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.right - kWidth - 3, y = work.bottom - kHeight - 3;
    HWND hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"Lumo smoke",
        WS_POPUP, x, y, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    const bool skinned = Present(hwnd, x, y);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    std::printf("smoke window at (%d, %d), %s, for %d s\n", x, y, skinned ? "skin loaded" : "skin missing", seconds);
    std::fflush(stdout);

    SetTimer(hwnd, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_TIMER && msg.hwnd == hwnd)
            break;
        DispatchMessageW(&msg);
    }
    DestroyWindow(hwnd);
    Gdiplus::GdiplusShutdown(token);
    return skinned ? 0 : 1;
}
