// Cost of the nine-grid frame against one stretched image, and of a control's
// cached copy against a full rebuild of its rendering, in one run.
#include "Bench.h"

#include "lumo/lumo.h"

#include <memory>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 60;

// A canvas like the paint manager's: a 32-bit DIB in a memory DC.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    Canvas(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        BYTE* bits = nullptr;
        bitmap = Lumo::MRender::CreateARGB32Bitmap(dc, width, height, &bits);
        previous = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

std::unique_ptr<Gdiplus::Bitmap> SkinImage()
{
    auto image = std::make_unique<Gdiplus::Bitmap>(64, 64, PixelFormat32bppARGB);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image->SetPixel(x, y, Gdiplus::Color(255, static_cast<BYTE>(x * 4), static_cast<BYTE>(y * 4), 128));
    return image;
}

// Renders like the toolkit's skinned controls: on a stale cache it copies the
// window content under it, draws its frame and caption into the cache, then
// copies the cache to the window; on a valid cache it only copies.
class SkinnedControl : public Lumo::MControlFont {
public:
    SkinnedControl(Gdiplus::Image* image, Gdiplus::FontFamily* family)
        : MControlFont(nullptr, 1, RECT{0, 0, kWidth, kHeight}, L"Caption", 1, 1, 1)
        , m_image(image)
        , m_family(family)
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
            Gdiplus::Font font(m_family, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
            Gdiplus::StringFormat format;
            format.SetAlignment(Gdiplus::StringAlignmentCenter);
            format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
            graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
            graphics.DrawString(m_strTitle.c_str(), -1, &font,
                Gdiplus::RectF(0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h)), &format, GetTextBrush());
        }
        ::BitBlt(hdc, m_rcItem.left, m_rcItem.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
        return 1;
    }

private:
    Gdiplus::Image* m_image;
    Gdiplus::FontFamily* m_family;
};

} // namespace

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
        auto image = SkinImage();
        Gdiplus::FontFamily family(L"Arial");
        Canvas canvas(kWidth, kHeight);
        const RECT dest{0, 0, kWidth, kHeight};

        std::printf("DrawImageFrame, 64 x 64 skin into %d x %d\n", kWidth, kHeight);
        const double stretch = bench::MedianNanos(
            [&] {
                Gdiplus::Graphics graphics(canvas.dc);
                graphics.DrawImage(image.get(), Gdiplus::Rect(0, 0, kWidth, kHeight), 0, 0, 64, 64, Gdiplus::UnitPixel);
            },
            200);
        const double frame = bench::MedianNanos(
            [&] {
                Gdiplus::Graphics graphics(canvas.dc);
                Lumo::MRender::DrawImageFrame(graphics, image.get(), dest, 0, 0, 64, 64, 8);
            },
            200);
        bench::Report("one stretched DrawImage (baseline)", stretch, stretch);
        bench::Report("DrawImageFrame, border 8 (nine parts)", frame, stretch);

        std::printf("\nControl drawing, %d x %d skinned control with caption\n", kWidth, kHeight);
        SkinnedControl control(image.get(), &family);
        const double rebuild = bench::MedianNanos(
            [&] {
                control.SetUpdate(0, 0);
                control.Draw(canvas.dc, dest);
            },
            200);
        const double cached = bench::MedianNanos([&] { control.Draw(canvas.dc, dest); }, 2000);
        bench::Report("full rebuild of the rendering (baseline)", rebuild, rebuild);
        bench::Report("copy of the cached rendering", cached, rebuild);
        std::printf("cached copy: %.5fx the rebuild (%.0f times cheaper)\n", cached / rebuild, rebuild / cached);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
