#include "controls/ScrollMath.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace Lumo::ScrollMath {

namespace {

int ClampToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

} // namespace

int DerivedPage(int barLength, int maxRange)
{
    if (static_cast<int64_t>(barLength) * 10 < maxRange)
        return maxRange / 10;
    return barLength;
}

int ThumbLength(int track, int arrow, int page, int maxRange)
{
    // An empty range shows nothing to scroll: the thumb fills the track.
    const double share = maxRange > 0 ? static_cast<double>(page) / maxRange : 1.0;
    double length = std::max(arrow / 2.0, share * track);
    length = std::min(length, static_cast<double>(std::max(track, 0)));
    int thumb = static_cast<int>(length);
    if (thumb < 100)
        thumb = track - 50 > 100 ? 100 : track - 50;
    return std::clamp(thumb, 0, std::max(track, 0));
}

int ThumbStart(const Bar& bar, int position, int denominator, int thumbLength)
{
    const double ratio = denominator > 0 ? static_cast<double>(position) / denominator : 0.0;
    double start = ratio * (bar.Track() - thumbLength) + (bar.start + bar.arrow);
    start = std::max(start, static_cast<double>(bar.start + bar.arrow));
    start = std::min(start, static_cast<double>(bar.end - bar.arrow / 2 - bar.arrow));
    return static_cast<int>(start);
}

int PositionFromThumb(const Bar& bar, int maxRange, int thumbStart, int thumbLength)
{
    const int free = bar.Track() - thumbLength;
    if (free <= 0 || maxRange <= 0)
        return 0;
    const int64_t position = static_cast<int64_t>(thumbStart - bar.start - bar.arrow) * maxRange / free;
    return ClampToInt(std::clamp<int64_t>(position, 0, maxRange));
}

Thumb LayOut(const Bar& bar, int maxRange, int position, int page, bool againstHidden, bool pullBack)
{
    Thumb thumb;
    thumb.position = position;
    thumb.length = ThumbLength(bar.Track(), bar.arrow, page, maxRange);
    const int denominator = againstHidden ? ClampToInt(static_cast<int64_t>(maxRange) - bar.Length()) : maxRange;
    thumb.start = ThumbStart(bar, position, denominator, thumb.length);
    if (pullBack && thumb.start + thumb.length > bar.end) {
        thumb.start -= thumb.start + thumb.length - bar.end;
        thumb.position = PositionFromThumb(bar, maxRange, thumb.start, thumb.length);
    }
    thumb.shown = page < maxRange;
    return thumb;
}

int LimitMove(const Bar& bar, int thumbStart, int thumbLength, int delta)
{
    if (delta < 0)
        return std::min(0, std::max(delta, bar.start + bar.arrow - thumbStart));
    if (delta > 0)
        return std::max(0, std::min(delta, bar.end - bar.arrow - (thumbStart + thumbLength)));
    return 0;
}

int PageDistance(int track, int page, int maxRange)
{
    if (maxRange <= 0)
        return 0;
    return ClampToInt(static_cast<int64_t>(track) * page / maxRange);
}

int FinalPosition(int barLength, int arrow, int page, int maxRange)
{
    const int track = barLength - 2 * arrow;
    const int length = ThumbLength(track, arrow, page, maxRange);
    if (track - length <= 0)
        return maxRange;
    return ClampToInt(static_cast<int64_t>(barLength - length) * maxRange / (track - length));
}

int ContentOffset(int virtualSize, int viewSize, int position, int maxRange)
{
    if (virtualSize <= viewSize || maxRange <= 0)
        return 0;
    const int64_t within = std::clamp(position, 0, maxRange);
    return ClampToInt((static_cast<int64_t>(virtualSize) - viewSize) * within / maxRange);
}

std::array<Slice, 3> ThreeSlice(int frameLength, int dst, int dstLength, int cap)
{
    std::array<Slice, 3> pieces{};
    if (frameLength <= 0 || dstLength <= 0)
        return pieces;
    const int frameCap = std::min(cap, frameLength / 2);
    if (dstLength >= 2 * frameCap) {
        pieces[0] = Slice{0, frameCap, dst, frameCap};
        pieces[1] = Slice{frameCap, frameLength - 2 * frameCap, dst + frameCap, dstLength - 2 * frameCap};
        pieces[2] = Slice{frameLength - frameCap, frameCap, dst + dstLength - frameCap, frameCap};
        return pieces;
    }
    // Too short for both caps: each cap gives half of the length.
    const int first = dstLength / 2;
    const int second = dstLength - first;
    pieces[0] = Slice{0, first, dst, first};
    pieces[2] = Slice{frameLength - second, second, dst + first, second};
    return pieces;
}

} // namespace Lumo::ScrollMath
