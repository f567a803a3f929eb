#include "app/update/ExtendedTimestamp.h"

namespace {

constexpr std::uint16_t kExtendedTimestampId = 0x5455; // "UT"
constexpr std::uint64_t kFileTimeOf1970 = 116444736000000000ULL;
constexpr std::uint64_t kFileTimeStepsPerSecond = 10000000ULL;

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t ReadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

ExtendedTimestamp ReadTimestampBlock(const std::uint8_t* data, std::size_t size)
{
    ExtendedTimestamp times;
    if (size < 1)
        return times;
    const std::uint8_t flags = data[0];
    std::size_t at = 1;
    std::optional<std::uint32_t>* slots[] = {&times.modification, &times.access, &times.creation};
    for (int bit = 0; bit < 3; ++bit) {
        if ((flags & (1u << bit)) == 0)
            continue;
        if (at + 4 > size)
            break;
        *slots[bit] = ReadU32(data + at);
        at += 4;
    }
    return times;
}

} // namespace

std::optional<ExtendedTimestamp> FindExtendedTimestamp(const std::uint8_t* extra, std::size_t size)
{
    std::size_t at = 0;
    while (extra != nullptr && at + 4 <= size) {
        const std::uint16_t id = ReadU16(extra + at);
        const std::uint16_t blockSize = ReadU16(extra + at + 2);
        const std::size_t dataAt = at + 4;
        if (blockSize > size - dataAt)
            return std::nullopt;
        if (id == kExtendedTimestampId)
            return ReadTimestampBlock(extra + dataAt, blockSize);
        at = dataAt + blockSize;
    }
    return std::nullopt;
}

std::uint64_t UnixTimeToFileTime(std::uint32_t seconds) { return seconds * kFileTimeStepsPerSecond + kFileTimeOf1970; }
