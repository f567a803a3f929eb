#pragma once

#include "lumo/Export.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// The toolkit's drawing vocabulary: static loading, frame, transition, text,
// fill, shape, bitmap and layout operations over GDI and GDI+. Colours are
// 32-bit ARGB where GDI+ draws and COLORREF (0x00BBGGRR) where GDI draws.
// Loading operations return null on failure and never throw.
class LUMO_API MRender {
public:
    MRender() = delete;

    // --- Loading (the caller owns what is returned) ---
    static Gdiplus::Image* LoadImageFromFile(std::wstring path);
    // A copy of width × height (0, 0: the image's own size); the file is
    // released before returning.
    static Gdiplus::Image* LoadImageFromFileEx(std::wstring path, int width, int height);
    // Resource `id` of `type` in `module`, decoded from a memory stream.
    static Gdiplus::Image* LoadImageFromIDResource(UINT id, std::wstring type, HINSTANCE module);
    // The icon of the file, or of the program associated with its type.
    static HICON LoadIconFromFile(std::wstring path);

    // --- Frames: nine-grid drawing of a source rectangle into dest ---
    // Corners (border × border) are copied unscaled, edges stretched along
    // their length, the centre both ways.
    static void DrawImageFrame(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dest, int srcX, int srcY,
        int srcW, int srcH, int border);
    // The same with separate border columns and rows.
    static void DrawImageFrameMID(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dest, int srcX,
        int srcY, int srcW, int srcH, int left, int top, int right, int bottom);

    // --- Transitions: src blended onto dst with a constant alpha per row or
    // column, fading from (100 - startPct) % to (100 - endPct) % opacity ---
    // Return the last alpha used (255 without rows or columns).
    static int DrawVerticalTransition(
        HDC& dst, HDC& src, const RECT& dstRect, const RECT& srcRect, int startPct, int endPct);
    static int DrawHorizontalTransition(
        HDC& dst, HDC& src, const RECT& dstRect, const RECT& srcRect, int startPct, int endPct);
    // Fades the n × n square at the bottom-right of r (coordinates relative to
    // r's origin) radially from its top-left corner. Returns n.
    static int DrawRightBottomTransition(HDC& dst, HDC& src, RECT r, int n, DWORD reserved);

    // --- Text ---
    // Width: the text's outline bounds rounded up; height: the font's line box.
    static Gdiplus::Size GetTextBounds(
        const Gdiplus::Font& font, const Gdiplus::StringFormat& format, std::wstring text);
    // The same with near alignment, no wrapping and trailing spaces measured.
    static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, std::wstring text);
    // The text laid out in a box layoutWidth wide (wrapping per the format).
    static Gdiplus::Size GetTextBounds(
        const Gdiplus::Font& font, const Gdiplus::StringFormat& format, int layoutWidth, std::wstring text);
    // Win32 DrawTextW with a transparent background; nothing for a null text.
    static void DrawTextW(HDC hdc, RECT& rect, const wchar_t* text, COLORREF colour, HFONT font, UINT format);
    // Where a w × h item starts in a W × H box by the alignment codes
    // (horizontal 0/1/2, vertical 0/4/8).
    static POINT GetOriginPoint(int boxWidth, int boxHeight, int width, int height, UINT hAlign, UINT vAlign);
    // The same inside box, offset by its top-left corner, plus 2 pixels on y.
    static POINT GetOriginPoint(RECT box, int width, int height, UINT hAlign, UINT vAlign);

    // --- Fill and colour ---
    static void FillSolidRect(HDC& hdc, const RECT* rect, COLORREF colour);
    static void FillSolidRect(HDC& hdc, int x, int y, int width, int height, COLORREF colour);
    // GDI+ solid fill; nothing when the alpha byte is 0.
    static void DrawColor(HDC hdc, const RECT& rect, Gdiplus::ARGB colour);
    // Two-colour gradient (from at the top or left) with the mean alpha of
    // both colours as constant opacity; nothing when that is 0.
    static void DrawGradient(HDC hdc, const RECT& rect, Gdiplus::ARGB from, Gdiplus::ARGB to, bool vertical, int steps);
    // Pure black becomes blue 1, so that no colour is pure black.
    static void CheckAlphaColor(DWORD& argb);
    // Kept for callers of the interface; draws nothing.
    static void DrawRectangle(HDC& hdc, const RECT& rect, int, int, int);

    // --- Shapes (GDI+ paths) ---
    // Fills a rounded rectangle with corner radius r.
    static void DrawRoundRectange(
        Gdiplus::Graphics& graphics, float x, float y, float width, float height, float r, Gdiplus::Color fill);
    // Rounded rectangle with radii (width / k / 2, height / k / 2), filled when
    // `fill` is set, then outlined.
    static void DrawRoundRectange(Gdiplus::Graphics& graphics, float x, float y, float width, float height, float k,
        Gdiplus::Color pen, float penWidth, bool fill, Gdiplus::Color fillColour);
    static void AddRoundedRectangle(Gdiplus::GraphicsPath& path, float x, float y, float width, float height, float r);
    static void RotatePoint(Gdiplus::PointF& point, float degrees, const Gdiplus::PointF& centre);

    // --- Bitmaps ---
    static HDC CreateCompatibleDC(HDC hdc);
    static HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
    static BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY);
    static BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
    // A 32-bit bottom-up DIB section; *bits receives its pixels.
    static HBITMAP CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits);
    // Writes the bitmap as a BMP file at the display's colour depth (24 bits
    // above 8). 1 when the file could be written.
    static int SaveBitmapToFile(HBITMAP bitmap, std::wstring path);

    // --- Layout ---
    // An image of imageWidth × imageHeight centred in box, scaled down
    // uniformly to fit and never scaled up.
    static RECT GetImageRect(int imageWidth, int imageHeight, RECT box);
};

} // namespace Lumo
