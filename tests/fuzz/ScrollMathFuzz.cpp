// Whatever range, position and page a program gives a scroll bar (zero,
// negative, huge), the thumb stays a length within its track, positions read
// back from it stay within the range, moves never reverse, content offsets
// are never negative, and nothing divides by zero or overflows (UBSan checks).
// Bar coordinates are client pixels, so they are drawn from 16 bits.
#include "controls/ScrollMath.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

template<typename T> T Take(const std::uint8_t*& data)
{
    T value;
    std::memcpy(&value, data, sizeof(T));
    data += sizeof(T);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace Lumo::ScrollMath;
    if (size < 3 * sizeof(std::int16_t) + 5 * sizeof(std::int32_t) + 1)
        return 0;
    Bar bar;
    bar.start = Take<std::int16_t>(data);
    bar.end = Take<std::int16_t>(data);
    bar.arrow = Take<std::int16_t>(data) & 0xFF;
    const int maxRange = Take<std::int32_t>(data);
    const int position = Take<std::int32_t>(data);
    int page = Take<std::int32_t>(data);
    const int delta = Take<std::int32_t>(data);
    const int virtualSize = Take<std::int32_t>(data);
    const std::uint8_t flags = Take<std::uint8_t>(data);
    if (page == 0)
        page = DerivedPage(bar.Length(), maxRange);

    const int track = std::max(bar.Track(), 0);
    const Thumb thumb = LayOut(bar, maxRange, position, page, flags & 1, flags & 2);
    if (thumb.length < 0 || thumb.length > track)
        std::abort();
    if (thumb.shown != (page < maxRange))
        std::abort();

    const int read = PositionFromThumb(bar, maxRange, thumb.start, thumb.length);
    if (read < 0 || read > std::max(maxRange, 0))
        std::abort();

    const int moved = LimitMove(bar, thumb.start, thumb.length, delta);
    if ((delta >= 0 && (moved < 0 || moved > delta)) || (delta < 0 && (moved > 0 || moved < delta)))
        std::abort();

    const int offset = ContentOffset(virtualSize, bar.Length(), position, maxRange);
    if (offset < 0)
        std::abort();

    PageDistance(track, page, maxRange);
    FinalPosition(bar.Length(), bar.arrow, page, maxRange);

    const int frameLength = flags >> 2;
    const int destLength = std::max(bar.Length(), 0);
    int covered = 0;
    for (const Slice& s : ThreeSlice(frameLength, bar.start, destLength, 6)) {
        if (s.srcLength < 0 || s.dstLength < 0 || s.src < 0 || s.src + s.srcLength > frameLength)
            std::abort();
        covered += s.dstLength;
    }
    if (frameLength > 0 && covered != destLength)
        std::abort();
    return 0;
}
