#pragma once

#include <cstdint>

// Windows file attribute bits as written for unpacked entries.
constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeHidden = 0x02;
constexpr std::uint32_t kAttributeSystem = 0x04;
constexpr std::uint32_t kAttributeFolder = 0x10;
constexpr std::uint32_t kAttributeArchive = 0x20;

// The Windows attributes of an archive entry. Archives made on MS-DOS/FAT,
// Macintosh, NTFS or VFAT hosts (high byte of version-made-by 0, 7, 11, 14)
// carry them in the low bits of the external attributes; for any other host
// (Unix) the high 16 bits hold the file mode: a folder when its S_IFDIR bit is
// set, read-only when the owner may not write, and always the archive bit.
std::uint32_t EntryFileAttributes(std::uint32_t versionMadeBy, std::uint32_t externalAttributes);
