#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The Info-ZIP extended-timestamp block ("UT", id 0x5455) of an entry's local
// extra field: a flag byte saying which 32-bit Unix times follow, in this
// order: bit 0 modification, bit 1 access, bit 2 creation.
struct ExtendedTimestamp {
    std::optional<std::uint32_t> modification;
    std::optional<std::uint32_t> access;
    std::optional<std::uint32_t> creation;
};

// Walks the extra field block by block (2-byte id, 2-byte size, data, all
// little-endian) and reads the first "UT" block. A time that its flag
// announces but that the block is too short to hold is left out; a block
// running past the end of the field ends the walk.
std::optional<ExtendedTimestamp> FindExtendedTimestamp(const std::uint8_t* extra, std::size_t size);

// Seconds since 1970 (UTC) as a Windows file time: 100-ns steps since 1601.
std::uint64_t UnixTimeToFileTime(std::uint32_t seconds);
