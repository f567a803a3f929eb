// Paint work of a 340 x 250 layered dialog with 0, 10 and 100 controls whose
// renderings are cached, and with every cache stale, as ratios to the bare
// background paint; and the cost of one repaint request on a window with 100
// controls. Each paint builds a fresh 32-bit DIB and renders the frame as
// OnPaint does (PaintManager::PaintFrame); OnPaint's 15 ms frame-cap sleep is
// not part of the measured work. A real UpdateWindow of the layered window is
// measured too, with the sleep subtracted.
#include "Bench.h"
#include "PaintOneFrame.h"

#include "lumo/lumo.h"

#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 250;

std::unique_ptr<Gdiplus::Bitmap> SkinImage()
{
    auto image = std::make_unique<Gdiplus::Bitmap>(64, 64, PixelFormat32bppARGB);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image->SetPixel(x, y, Gdiplus::Color(230, static_cast<BYTE>(x * 4), 90, static_cast<BYTE>(y * 4)));
    return image;
}

// Renders like the toolkit's skinned controls: a stale cache is rebuilt from
// the window content under the control, a nine-grid skin and a caption; a
// valid one is only copied.
class SkinnedControl : public Lumo::MControlFont {
public:
    SkinnedControl(Lumo::MObject* parent, UINT id, RECT rect, Gdiplus::Image* image)
        : MControlFont(parent, id, rect, L"42", 1, 1, 1)
        , m_image(image)
    {
    }
    int DrawControl(HDC& hdc, RECT) override
    {
        const int w = m_rcItem.right - m_rcItem.left, h = m_rcItem.bottom - m_rcItem.top;
        if (!GetUpdate()) {
            UpdateMemDC(hdc, w, h);
            ::BitBlt(GetMemDC(), 0, 0, w, h, hdc, m_rcItem.left, m_rcItem.top, SRCCOPY);
            Gdiplus::Graphics graphics(GetMemDC());
            Lumo::MRender::DrawImageFrame(graphics, m_image, RECT{0, 0, w, h}, 0, 0, 64, 64, 8);
            if (Gdiplus::FontFamily* family = GetFontFamily(m_strFontName.c_str())) {
                Gdiplus::Font font(family, 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
                Gdiplus::StringFormat format;
                format.SetAlignment(Gdiplus::StringAlignmentCenter);
                format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
                graphics.DrawString(m_strTitle.c_str(), -1, &font,
                    Gdiplus::RectF(0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h)), &format, GetTextBrush());
            }
        }
        ::BitBlt(hdc, m_rcItem.left, m_rcItem.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
        return 1;
    }

private:
    Gdiplus::Image* m_image;
};

class BenchDialog : public Lumo::MDialog { };

// A dialog window with `count` controls on a 10 x 10 grid.
struct Window {
    BenchDialog dialog;
    std::vector<SkinnedControl*> controls;
    Window(int count, Gdiplus::Image* image)
    {
        dialog.Create(nullptr, L"bench", WS_POPUP, WS_EX_TOOLWINDOW, RECT{50, 50, 50 + kWidth, 50 + kHeight});
        dialog.SetLayeredWindow(1);
        for (int i = 0; i < count; ++i) {
            const int x = (i % 10) * 34, y = (i / 10) * 25;
            auto* control = new SkinnedControl(&dialog, static_cast<UINT>(100 + i), RECT{x, y, x + 32, y + 23}, image);
            dialog.GetPaintManager()->AddControl(1, control);
            controls.push_back(control);
        }
    }
    ~Window() { dialog.DestroyWindow(); }

    void Paint() { PaintOneFrame(dialog, kWidth, kHeight); }
    void MarkAllStale()
    {
        for (SkinnedControl* control : controls)
            control->SetUpdate(0, 0);
    }
};

} // namespace

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    OleInitialize(nullptr);
    Lumo::Manager::SetInstance(GetModuleHandleW(nullptr));
    {
        auto image = SkinImage();
        Window bare(0, image.get()), ten(10, image.get()), hundred(100, image.get());
        bare.Paint();
        ten.Paint();
        hundred.Paint();

        std::printf(
            "Paint of a %d x %d layered dialog (fresh DIB + PaintFrame, no frame-cap sleep)\n", kWidth, kHeight);
        const double background = bench::MedianNanos([&] { bare.Paint(); }, 40);
        const double tenCached = bench::MedianNanos([&] { ten.Paint(); }, 40);
        const double hundredCached = bench::MedianNanos([&] { hundred.Paint(); }, 20);
        const double tenStale = bench::MedianNanos(
            [&] {
                ten.MarkAllStale();
                ten.Paint();
            },
            10);
        const double hundredStale = bench::MedianNanos(
            [&] {
                hundred.MarkAllStale();
                hundred.Paint();
            },
            3, 5);
        bench::Report("bare background (baseline)", background, background);
        bench::Report("10 controls, cached", tenCached, background);
        bench::Report("100 controls, cached", hundredCached, background);
        bench::Report("10 controls, all caches stale", tenStale, background);
        bench::Report("100 controls, all caches stale", hundredStale, background);

        std::printf("\nRepaint request on a window with 100 controls\n");
        Lumo::MControl* first = hundred.controls.front();
        Lumo::MControl* last = hundred.controls.back();
        const double updateFirst
            = bench::MedianNanos([&] { hundred.dialog.OnControlUpdate(first->GetRect(), 1, first); }, 2000);
        const double updateLast
            = bench::MedianNanos([&] { hundred.dialog.OnControlUpdate(last->GetRect(), 1, last); }, 2000);
        bench::Report("OnControlUpdate of the first control", updateFirst, background);
        bench::Report("OnControlUpdate of the last control", updateLast, background);

        std::printf("\nReal WM_PAINT of the shown layered window, 15 ms frame cap subtracted\n");
        hundred.dialog.ShowWindow(SW_SHOWNOACTIVATE);
        const double realPaint = bench::MedianNanos(
            [&] {
                hundred.dialog.InvalidateRect(nullptr, 0);
                UpdateWindow(hundred.dialog.GetSafeHwnd());
            },
            10);
        bench::Report("UpdateWindow, 100 cached controls, minus 15 ms", realPaint - 15e6, background);
    }
    OleUninitialize();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
