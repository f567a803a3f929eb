#include "lumo/MRender.h"

#include "controls/DrawMath.h"
#include "controls/LayoutMath.h"
#include "lumo/Manager.h"

#include <shellapi.h>

#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

namespace Lumo {

namespace {

Layout::Rect ToLayout(const RECT& r) { return Layout::Rect{r.left, r.top, r.right, r.bottom}; }

Gdiplus::Image* CheckedImage(Gdiplus::Image* image)
{
    if (image != nullptr && image->GetLastStatus() != Gdiplus::Ok) {
        delete image;
        return nullptr;
    }
    return image;
}

void DrawSlices(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const std::array<Draw::Slice, 9>& slices)
{
    if (image == nullptr)
        return;
    for (const Draw::Slice& s : slices) {
        if (!s.IsDrawable())
            continue;
        graphics.DrawImage(
            image, Gdiplus::Rect(s.dstX, s.dstY, s.dstW, s.dstH), s.srcX, s.srcY, s.srcW, s.srcH, Gdiplus::UnitPixel);
    }
}

BLENDFUNCTION ConstantBlend(int alpha)
{
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = static_cast<BYTE>(alpha);
    return blend;
}

// AlphaBlend and GradientFill, taken from msimg32 once per process.
struct Msimg32 {
    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    AlphaBlendFn alphaBlend = nullptr;
    GradientFillFn gradientFill = nullptr;
};

const Msimg32& Msimg()
{
    static Msimg32 functions;
    static std::once_flag once;
    std::call_once(once, [] {
        HMODULE module = LoadLibraryW(L"msimg32.dll");
        if (module == nullptr)
            return;
        functions.alphaBlend
            = reinterpret_cast<Msimg32::AlphaBlendFn>(reinterpret_cast<void*>(GetProcAddress(module, "AlphaBlend")));
        functions.gradientFill = reinterpret_cast<Msimg32::GradientFillFn>(
            reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")));
    });
    return functions;
}

BYTE AlphaOf(Gdiplus::ARGB c) { return static_cast<BYTE>(c >> 24); }
BYTE RedOf(Gdiplus::ARGB c) { return static_cast<BYTE>(c >> 16); }
BYTE GreenOf(Gdiplus::ARGB c) { return static_cast<BYTE>(c >> 8); }
BYTE BlueOf(Gdiplus::ARGB c) { return static_cast<BYTE>(c); }

void FillGradient(HDC hdc, int x, int y, int width, int height, Gdiplus::ARGB from, Gdiplus::ARGB to, bool vertical)
{
    TRIVERTEX vertices[2]{};
    vertices[0].x = x;
    vertices[0].y = y;
    vertices[0].Red = static_cast<COLOR16>(RedOf(from) << 8);
    vertices[0].Green = static_cast<COLOR16>(GreenOf(from) << 8);
    vertices[0].Blue = static_cast<COLOR16>(BlueOf(from) << 8);
    vertices[0].Alpha = 0xFF00;
    vertices[1].x = x + width;
    vertices[1].y = y + height;
    vertices[1].Red = static_cast<COLOR16>(RedOf(to) << 8);
    vertices[1].Green = static_cast<COLOR16>(GreenOf(to) << 8);
    vertices[1].Blue = static_cast<COLOR16>(BlueOf(to) << 8);
    vertices[1].Alpha = 0xFF00;
    GRADIENT_RECT mesh{0, 1};
    if (Msimg().gradientFill != nullptr)
        Msimg().gradientFill(hdc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

} // namespace

Gdiplus::Image* MRender::LoadImageFromFile(std::wstring path)
{
    return CheckedImage(Gdiplus::Image::FromFile(path.c_str()));
}

Gdiplus::Image* MRender::LoadImageFromFileEx(std::wstring path, int width, int height)
{
    Gdiplus::Image* loaded = LoadImageFromFile(path);
    if (loaded == nullptr)
        return nullptr;
    const UINT w = width > 0 ? static_cast<UINT>(width) : loaded->GetWidth();
    const UINT h = height > 0 ? static_cast<UINT>(height) : loaded->GetHeight();
    Gdiplus::Image* copy = CheckedImage(loaded->GetThumbnailImage(w, h, nullptr, nullptr));
    delete loaded;
    return copy;
}

Gdiplus::Image* MRender::LoadImageFromIDResource(UINT id, std::wstring type, HINSTANCE module)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type.c_str());
    if (resource == nullptr)
        return nullptr;
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size == 0)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr)
        return nullptr;
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(block);
    // The stream owns the block and the image holds the stream for as long as
    // it decodes from it, so the block goes with the image.
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return nullptr;
    }
    Gdiplus::Image* image = CheckedImage(Gdiplus::Image::FromStream(stream));
    stream->Release();
    return image;
}

HICON MRender::LoadIconFromFile(std::wstring path)
{
    wchar_t buffer[MAX_PATH] = {};
    if (path.size() >= MAX_PATH)
        return nullptr;
    std::memcpy(buffer, path.c_str(), path.size() * sizeof(wchar_t));
    WORD index = 0;
    HINSTANCE instance = Manager::m_hInstance != nullptr ? Manager::m_hInstance : GetModuleHandleW(nullptr);
    return ExtractAssociatedIconW(instance, buffer, &index);
}

void MRender::DrawImageFrame(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dest, int srcX, int srcY,
    int srcW, int srcH, int border)
{
    DrawSlices(graphics, image, Draw::NineGrid(ToLayout(dest), srcX, srcY, srcW, srcH, border, border, border, border));
}

void MRender::DrawImageFrameMID(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dest, int srcX,
    int srcY, int srcW, int srcH, int left, int top, int right, int bottom)
{
    DrawSlices(graphics, image, Draw::NineGrid(ToLayout(dest), srcX, srcY, srcW, srcH, left, top, right, bottom));
}

int MRender::DrawVerticalTransition(
    HDC& dst, HDC& src, const RECT& dstRect, const RECT& srcRect, int startPct, int endPct)
{
    const int rows = dstRect.bottom - dstRect.top;
    int alpha = 255;
    if (Msimg().alphaBlend == nullptr)
        return alpha;
    for (int i = 0; i < rows; ++i) {
        alpha = Draw::TransitionAlpha(startPct, endPct, rows, i);
        Msimg().alphaBlend(dst, dstRect.left, dstRect.top + i, dstRect.right - dstRect.left, 1, src, srcRect.left,
            srcRect.top + i, srcRect.right - srcRect.left, 1, ConstantBlend(alpha));
    }
    return alpha;
}

int MRender::DrawHorizontalTransition(
    HDC& dst, HDC& src, const RECT& dstRect, const RECT& srcRect, int startPct, int endPct)
{
    const int columns = dstRect.right - dstRect.left;
    int alpha = 255;
    if (Msimg().alphaBlend == nullptr)
        return alpha;
    for (int i = 0; i < columns; ++i) {
        alpha = Draw::TransitionAlpha(startPct, endPct, columns, i);
        Msimg().alphaBlend(dst, dstRect.left + i, dstRect.top, 1, dstRect.bottom - dstRect.top, src, srcRect.left + i,
            srcRect.top, 1, srcRect.bottom - srcRect.top, ConstantBlend(alpha));
    }
    return alpha;
}

int MRender::DrawRightBottomTransition(HDC& dst, HDC& src, RECT r, int n, DWORD)
{
    if (n <= 0 || Msimg().alphaBlend == nullptr)
        return n;
    const int originX = (r.right - r.left) - n;
    const int originY = (r.bottom - r.top) - n;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int alpha = Draw::CornerFadeAlpha(n, i, j);
            if (alpha <= 0)
                continue;
            Msimg().alphaBlend(
                dst, originX + i, originY + j, 1, 1, src, originX + i, originY + j, 1, 1, ConstantBlend(alpha));
        }
    }
    return n;
}

namespace {

float LineHeight(const Gdiplus::Font& font) { return font.GetHeight(96.0f); }

Gdiplus::RectF PathBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, const std::wstring& text,
    const Gdiplus::RectF* layout)
{
    Gdiplus::FontFamily family;
    font.GetFamily(&family);
    Gdiplus::GraphicsPath path;
    if (layout != nullptr)
        path.AddString(
            text.c_str(), static_cast<INT>(text.size()), &family, font.GetStyle(), font.GetSize(), *layout, &format);
    else
        path.AddString(text.c_str(), static_cast<INT>(text.size()), &family, font.GetStyle(), font.GetSize(),
            Gdiplus::PointF(0.0f, 0.0f), &format);
    Gdiplus::RectF bounds;
    path.GetBounds(&bounds);
    return bounds;
}

} // namespace

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, std::wstring text)
{
    const Gdiplus::RectF bounds = PathBounds(font, format, text, nullptr);
    return Gdiplus::Size(static_cast<INT>(std::ceil(bounds.Width)), Draw::TextBoxHeight(LineHeight(font)));
}

Gdiplus::Size MRender::GetTextBounds(const Gdiplus::Font& font, std::wstring text)
{
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    return GetTextBounds(font, format, std::move(text));
}

Gdiplus::Size MRender::GetTextBounds(
    const Gdiplus::Font& font, const Gdiplus::StringFormat& format, int layoutWidth, std::wstring text)
{
    const Gdiplus::RectF layout(0.0f, 0.0f, static_cast<Gdiplus::REAL>(layoutWidth), 0.0f);
    const Gdiplus::RectF bounds = PathBounds(font, format, text, &layout);
    return Gdiplus::Size(
        static_cast<INT>(std::ceil(bounds.Width)), Draw::LayoutTextHeight(LineHeight(font), bounds.Height));
}

void MRender::DrawTextW(HDC hdc, RECT& rect, const wchar_t* text, COLORREF colour, HFONT font, UINT format)
{
    if (text == nullptr)
        return;
    SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(hdc, colour);
    HGDIOBJ oldFont = font != nullptr ? SelectObject(hdc, font) : nullptr;
    ::DrawTextW(hdc, text, -1, &rect, format);
    ::SetTextColor(hdc, oldColour);
    if (oldFont != nullptr)
        SelectObject(hdc, oldFont);
}

POINT MRender::GetOriginPoint(int boxWidth, int boxHeight, int width, int height, UINT hAlign, UINT vAlign)
{
    const Layout::Point p = Layout::OriginInBox(boxWidth, boxHeight, width, height, hAlign, vAlign);
    return POINT{p.x, p.y};
}

POINT MRender::GetOriginPoint(RECT box, int width, int height, UINT hAlign, UINT vAlign)
{
    const Layout::Point p = Layout::OriginInRect(ToLayout(box), width, height, hAlign, vAlign);
    return POINT{p.x, p.y};
}

void MRender::FillSolidRect(HDC& hdc, const RECT* rect, COLORREF colour)
{
    if (rect == nullptr)
        return;
    const COLORREF old = SetBkColor(hdc, colour);
    ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

void MRender::FillSolidRect(HDC& hdc, int x, int y, int width, int height, COLORREF colour)
{
    const RECT rect{x, y, x + width, y + height};
    FillSolidRect(hdc, &rect, colour);
}

void MRender::DrawColor(HDC hdc, const RECT& rect, Gdiplus::ARGB colour)
{
    if (AlphaOf(colour) == 0)
        return;
    Gdiplus::Graphics graphics(hdc);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    graphics.FillRectangle(&brush, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
        static_cast<INT>(rect.right - rect.left), static_cast<INT>(rect.bottom - rect.top));
}

void MRender::DrawGradient(HDC hdc, const RECT& rect, Gdiplus::ARGB from, Gdiplus::ARGB to, bool vertical, int)
{
    const int opacity = (AlphaOf(from) + AlphaOf(to)) / 2;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (opacity == 0 || width <= 0 || height <= 0)
        return;
    if (opacity >= 255) {
        FillGradient(hdc, rect.left, rect.top, width, height, from, to, vertical);
        return;
    }
    BYTE* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateARGB32Bitmap(hdc, width, height, &bits);
    if (memory == nullptr || bitmap == nullptr || bits == nullptr || Msimg().alphaBlend == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (memory != nullptr)
            DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    FillGradient(memory, 0, 0, width, height, from, to, vertical);
    GdiFlush();
    // Opaque source pixels, so the constant alpha alone decides the blend.
    for (int i = 0; i < width * height; ++i)
        bits[i * 4 + 3] = 255;
    BLENDFUNCTION blend = ConstantBlend(opacity);
    blend.AlphaFormat = AC_SRC_ALPHA;
    Msimg().alphaBlend(hdc, rect.left, rect.top, width, height, memory, 0, 0, width, height, blend);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void MRender::CheckAlphaColor(DWORD& argb)
{
    if ((argb & 0x00FFFFFF) == 0)
        argb += 1;
}

void MRender::DrawRectangle(HDC&, const RECT&, int, int, int) { }

void MRender::DrawRoundRectange(
    Gdiplus::Graphics& graphics, float x, float y, float width, float height, float r, Gdiplus::Color fill)
{
    const float d = r * 2.0f;
    Gdiplus::GraphicsPath path;
    path.AddLine(x + r, y, x + width - r, y);
    path.AddArc(x + width - d, y, d, d, 270.0f, 90.0f);
    path.AddLine(x + width, y + r, x + width, y + height - r);
    path.AddArc(x + width - d, y + height - d, d, d, 0.0f, 90.0f);
    path.AddLine(x + width - r, y + height, x + r, y + height);
    path.AddArc(x, y + height - d, d, d, 90.0f, 90.0f);
    path.AddLine(x, y + height - r, x, y + r);
    path.AddArc(x, y, d, d, 180.0f, 90.0f);
    path.CloseFigure();
    Gdiplus::SolidBrush brush(fill);
    graphics.FillPath(&brush, &path);
}

void MRender::DrawRoundRectange(Gdiplus::Graphics& graphics, float x, float y, float width, float height, float k,
    Gdiplus::Color pen, float penWidth, bool fill, Gdiplus::Color fillColour)
{
    float rx = width / k * 0.5f;
    float ry = height / k * 0.5f;
    if (std::fabs(rx - ry) > 10.0f)
        rx = ry = std::min(rx, ry);
    const float dx = rx * 2.0f, dy = ry * 2.0f;
    Gdiplus::GraphicsPath path;
    path.AddArc(x, y, dx, dy, 180.0f, 90.0f);
    path.AddArc(x + width - dx, y, dx, dy, 270.0f, 90.0f);
    path.AddArc(x + width - dx, y + height - dy, dx, dy, 0.0f, 90.0f);
    path.AddArc(x, y + height - dy, dx, dy, 90.0f, 90.0f);
    path.CloseFigure();
    if (fill) {
        Gdiplus::SolidBrush brush(fillColour);
        graphics.FillPath(&brush, &path);
    }
    Gdiplus::Pen outline(pen, penWidth);
    graphics.DrawPath(&outline, &path);
}

void MRender::AddRoundedRectangle(Gdiplus::GraphicsPath& path, float x, float y, float width, float height, float r)
{
    const float d = r * 2.0f;
    path.StartFigure();
    path.AddArc(x, y, d, d, 180.0f, 90.0f);
    path.AddArc(x + width - d, y, d, d, 270.0f, 90.0f);
    path.AddArc(x + width - d, y + height - d, d, d, 0.0f, 90.0f);
    path.AddArc(x, y + height - d, d, d, 90.0f, 90.0f);
    path.CloseFigure();
}

void MRender::RotatePoint(Gdiplus::PointF& point, float degrees, const Gdiplus::PointF& centre)
{
    const double radians = degrees * 3.1415926 / 180.0;
    const double dx = point.X - centre.X;
    const double dy = point.Y - centre.Y;
    point.X = static_cast<Gdiplus::REAL>(centre.X + dx * std::cos(radians) - dy * std::sin(radians));
    point.Y = static_cast<Gdiplus::REAL>(centre.Y + dx * std::sin(radians) + dy * std::cos(radians));
}

HDC MRender::CreateCompatibleDC(HDC hdc) { return ::CreateCompatibleDC(hdc); }

HBITMAP MRender::CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    return ::CreateCompatibleBitmap(hdc, width, height);
}

BOOL MRender::BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY)
{
    return ::BitBlt(dst, x, y, width, height, src, srcX, srcY, SRCCOPY);
}

BOOL MRender::BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    return ::BitBlt(dst, x, y, width, height, src, srcX, srcY, rop);
}

HBITMAP MRender::CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bits != nullptr)
        *bits = static_cast<BYTE*>(pixels);
    return bitmap;
}

int MRender::SaveBitmapToFile(HBITMAP bitmap, std::wstring path)
{
    BITMAP bm{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return 0;
    HDC screen = GetDC(nullptr);
    const int displayBits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    const WORD bitCount = displayBits <= 1 ? 1 : displayBits <= 4 ? 4 : displayBits <= 8 ? 8 : 24;
    const DWORD paletteEntries = bitCount <= 8 ? (1u << bitCount) : 0;
    const DWORD rowBytes = ((static_cast<DWORD>(bm.bmWidth) * bitCount + 31) / 32) * 4;
    const DWORD pixelBytes = rowBytes * static_cast<DWORD>(bm.bmHeight);

    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + paletteEntries * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = bm.bmWidth;
    header->biHeight = bm.bmHeight;
    header->biPlanes = 1;
    header->biBitCount = bitCount;
    header->biCompression = BI_RGB;
    header->biSizeImage = pixelBytes;
    std::vector<BYTE> pixels(pixelBytes);
    HGDIOBJ oldPalette = SelectPalette(screen, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    RealizePalette(screen);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(),
        reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (oldPalette != nullptr)
        SelectPalette(screen, static_cast<HPALETTE>(oldPalette), FALSE);
    ReleaseDC(nullptr, screen);

    // Colour tables of low-depth displays sit between the headers and the pixels.
    const DWORD offset = 14 + static_cast<DWORD>(info.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = offset + pixelBytes;
    file.bfOffBits = offset;

    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    WriteFile(handle, &file, sizeof(file), &written, nullptr);
    WriteFile(handle, info.data(), static_cast<DWORD>(info.size()), &written, nullptr);
    WriteFile(handle, pixels.data(), pixelBytes, &written, nullptr);
    CloseHandle(handle);
    return 1;
}

RECT MRender::GetImageRect(int imageWidth, int imageHeight, RECT box)
{
    const Layout::Rect r = Layout::ImageRectInBox(imageWidth, imageHeight, ToLayout(box));
    return RECT{r.left, r.top, r.right, r.bottom};
}

} // namespace Lumo
