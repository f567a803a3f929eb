#pragma once

#include <array>

// Arithmetic of the scroll bars and of scrolled containers: the page size,
// the thumb's length and place, moves by pixels and pages, and the content
// offset a position stands for. Everything is along one axis (y for a
// vertical bar, x for a horizontal one). No Windows headers, so it is tested
// natively.
//
// The formulas divide by the maximum range and by the track length left over
// beside the thumb; both can be 0 (an empty range, a thumb as long as the
// track). Those cases give the start of the range instead of a division by
// zero, and a thumb never grows longer than its track or shorter than 0.
namespace Lumo::ScrollMath {

// The bar along its axis: its first and end coordinate (end exclusive) and
// the length kept free for an arrow at each end.
struct Bar {
    int start = 0;
    int end = 0;
    int arrow = 0;

    int Length() const { return end - start; }
    int Track() const { return Length() - 2 * arrow; }
};

// The page size derived from the bar when none is set: the bar's length, or a
// tenth of the range when the bar is shorter than that.
int DerivedPage(int barLength, int maxRange);

// Length of the thumb on a track: the visible share of the track, at least
// half an arrow; below 100 pixels it becomes 100 on tracks longer than 150
// and the track less 50 on shorter ones. Limited to 0 … track.
int ThumbLength(int track, int arrow, int page, int maxRange);

// Where the thumb starts for a position. `denominator` is the range the
// position is measured against (the maximum, or for content whose maximum is
// a pixel size, the maximum less the bar's length); 0 or less puts the thumb
// at the start of the track.
int ThumbStart(const Bar& bar, int position, int denominator, int thumbLength);

// The position a thumb starting at `thumbStart` stands for.
int PositionFromThumb(const Bar& bar, int maxRange, int thumbStart, int thumbLength);

// The result of laying the thumb out from the position.
struct Thumb {
    int start = 0;
    int length = 0;
    int position = 0; // changed only when the thumb had to be pulled back inside
    bool shown = false; // page < maximum: the bar draws and takes the mouse
};

// Lays the thumb out. `page` must already be derived (not 0). `againstHidden`
// measures the position against the maximum less the bar's length;
// `pullBack` moves a thumb that runs past the bar's end back inside and
// recomputes the position from it (the vertical bar does).
Thumb LayOut(const Bar& bar, int maxRange, int position, int page, bool againstHidden, bool pullBack);

// `delta` limited so that the thumb stays on the track; 0 when it cannot move
// that way.
int LimitMove(const Bar& bar, int thumbStart, int thumbLength, int delta);

// Pixels one page click moves the thumb: track × page / maximum.
int PageDistance(int track, int page, int maxRange);

// The position that puts the thumb at the end of the track of a bar of
// `barLength`.
int FinalPosition(int barLength, int arrow, int page, int maxRange);

// The content offset of a scrolled container: the part of the content that
// does not fit, times position / maximum; 0 when the content fits or the
// range is empty.
int ContentOffset(int virtualSize, int viewSize, int position, int maxRange);

// One piece of a three-slice stretch: `srcLength` pixels of the frame from
// `src` drawn over `dstLength` pixels from `dst`.
struct Slice {
    int src = 0;
    int srcLength = 0;
    int dst = 0;
    int dstLength = 0;

    bool IsDrawable() const { return srcLength > 0 && dstLength > 0; }
};

// Start cap, middle and end cap of a frame `frameLength` long drawn over
// `dstLength` pixels from `dst`: the caps are `cap` pixels each and unscaled,
// the middle is stretched. Pieces too short for both caps share the length
// between the caps.
std::array<Slice, 3> ThreeSlice(int frameLength, int dst, int dstLength, int cap);

} // namespace Lumo::ScrollMath
