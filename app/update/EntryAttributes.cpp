#include "app/update/EntryAttributes.h"

namespace {

constexpr std::uint32_t kHostMsDos = 0;
constexpr std::uint32_t kHostMacintosh = 7;
constexpr std::uint32_t kHostNtfs = 11;
constexpr std::uint32_t kHostVfat = 14;

constexpr std::uint32_t kUnixFolderBit = 1u << 30; // S_IFDIR (040000) in the high half
constexpr std::uint32_t kUnixOwnerWriteBit = 1u << 23; // S_IWUSR (0200) in the high half

bool KeepsDosAttributes(std::uint32_t host)
{
    return host == kHostMsDos || host == kHostMacintosh || host == kHostNtfs || host == kHostVfat;
}

} // namespace

std::uint32_t EntryFileAttributes(std::uint32_t versionMadeBy, std::uint32_t externalAttributes)
{
    const std::uint32_t host = (versionMadeBy >> 8) & 0xFF;
    if (KeepsDosAttributes(host))
        return externalAttributes
            & (kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeFolder | kAttributeArchive);
    std::uint32_t attributes = kAttributeArchive;
    if (externalAttributes & kUnixFolderBit)
        attributes |= kAttributeFolder;
    if ((externalAttributes & kUnixOwnerWriteBit) == 0)
        attributes |= kAttributeReadOnly;
    return attributes;
}
