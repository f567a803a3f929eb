#pragma once

#include "controls/DrawMath.h"
#include "controls/ScrollMath.h"
#include "lumo/Platform.h"

#include <memory>

// The rendering frame the controls share: a control renders into its memory
// cache only when the cache is stale, starting from a copy of the window
// pixels beneath it, and then copies the cache to its place on the target.
namespace Lumo::RenderFrame {

inline int Width(const RECT& rect) { return rect.right - rect.left; }
inline int Height(const RECT& rect) { return rect.bottom - rect.top; }

// The target's pixels under `rect` into the cache at (x, 0).
inline void CopyBeneath(HDC cache, int x, HDC target, const RECT& rect)
{
    ::BitBlt(cache, x, 0, Width(rect), Height(rect), target, rect.left, rect.top, SRCCOPY);
}

// The cache from (srcX, 0) to `rect` on the target.
inline void Present(HDC target, const RECT& rect, HDC cache, int srcX)
{
    ::BitBlt(target, rect.left, rect.top, Width(rect), Height(rect), cache, srcX, 0, SRCCOPY);
}

// The GDI+ font controls draw their text with: `size` pixels (already
// scaled), the style bits; null without a family.
inline std::unique_ptr<Gdiplus::Font> TextFont(Gdiplus::FontFamily* family, float size, int style)
{
    if (family == nullptr)
        return nullptr;
    auto font = std::make_unique<Gdiplus::Font>(family, size, style, Gdiplus::UnitPixel);
    if (font->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return font;
}

// Near, centre or far for the alignment codes (0/1/2 horizontal, 0/4/8
// vertical); any other code is near.
inline Gdiplus::StringAlignment HorizontalAlignment(UINT code)
{
    return code == 1 ? Gdiplus::StringAlignmentCenter
        : code == 2  ? Gdiplus::StringAlignmentFar
                     : Gdiplus::StringAlignmentNear;
}

inline Gdiplus::StringAlignment VerticalAlignment(UINT code)
{
    return code == 4 ? Gdiplus::StringAlignmentCenter
        : code == 8  ? Gdiplus::StringAlignmentFar
                     : Gdiplus::StringAlignmentNear;
}

// Draws the source rectangle of `image` stretched over `dest`. The edges are
// sampled inside the source (no bleeding of neighbouring frames where the
// platform honours the wrap mode), and the destination starts a 64th of a
// pixel early: GDI+ implementations that map each destination pixel back
// with single-precision arithmetic otherwise land the first row or column
// just before the source and leave it empty.
inline void StretchImage(
    Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dest, int srcX, int srcY, int srcW, int srcH)
{
    constexpr Gdiplus::REAL nudge = 1.0f / 64;
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::RectF target(static_cast<Gdiplus::REAL>(dest.left) - nudge,
        static_cast<Gdiplus::REAL>(dest.top) - nudge, static_cast<Gdiplus::REAL>(dest.right - dest.left) + nudge,
        static_cast<Gdiplus::REAL>(dest.bottom - dest.top) + nudge);
    graphics.DrawImage(image, target, static_cast<Gdiplus::REAL>(srcX), static_cast<Gdiplus::REAL>(srcY),
        static_cast<Gdiplus::REAL>(srcW), static_cast<Gdiplus::REAL>(srcH), Gdiplus::UnitPixel, &attributes);
}

// The nine-grid of MRender::DrawImageFrameMID (same slices, same order),
// with every stretched slice drawn by StretchImage so that no row or column
// goes missing at a slice's start.
inline void DrawNineGrid(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dest, int srcX, int srcY,
    int srcW, int srcH, int left, int top, int right, int bottom)
{
    if (image == nullptr)
        return;
    const Layout::Rect box{dest.left, dest.top, dest.right, dest.bottom};
    for (const Draw::Slice& s : Draw::NineGrid(box, srcX, srcY, srcW, srcH, left, top, right, bottom)) {
        if (!s.IsDrawable())
            continue;
        if (s.dstW == s.srcW && s.dstH == s.srcH)
            graphics.DrawImage(image, Gdiplus::Rect(s.dstX, s.dstY, s.dstW, s.dstH), s.srcX, s.srcY, s.srcW, s.srcH,
                Gdiplus::UnitPixel);
        else
            StretchImage(graphics, image, RECT{s.dstX, s.dstY, s.dstX + s.dstW, s.dstY + s.dstH}, s.srcX, s.srcY,
                s.srcW, s.srcH);
    }
}

// A frame of `image` (the source rectangle `frame`) drawn into `dest` as a
// three-slice stretch along the bar: `cap` pixels at each end unscaled, the
// middle stretched; across the bar the frame is stretched to the thickness.
inline void DrawThreeSlice(
    Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& frame, const RECT& dest, bool vertical, int cap)
{
    const int frameLength = vertical ? frame.bottom - frame.top : frame.right - frame.left;
    const int destStart = vertical ? dest.top : dest.left;
    const int destLength = vertical ? dest.bottom - dest.top : dest.right - dest.left;
    for (const ScrollMath::Slice& s : ScrollMath::ThreeSlice(frameLength, destStart, destLength, cap)) {
        if (!s.IsDrawable())
            continue;
        if (vertical)
            StretchImage(graphics, image, RECT{dest.left, s.dst, dest.right, s.dst + s.dstLength}, frame.left,
                frame.top + s.src, frame.right - frame.left, s.srcLength);
        else
            StretchImage(graphics, image, RECT{s.dst, dest.top, s.dst + s.dstLength, dest.bottom}, frame.left + s.src,
                frame.top, s.srcLength, frame.bottom - frame.top);
    }
}

} // namespace Lumo::RenderFrame
