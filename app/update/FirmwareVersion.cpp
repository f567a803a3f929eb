#include "app/update/FirmwareVersion.h"

#include "app/update/VersionCompare.h"

int FirmwareNumberFromDisplay(int displayVersion)
{
    static const wchar_t kHexDigits[] = L"0123456789abcdef";
    auto value = static_cast<unsigned>(displayVersion);
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kHexDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return ReadLeadingNumber(digits);
}

bool IsFirmwareNewer(const std::wstring& latest, int displayVersion)
{
    if (displayVersion < 0)
        return false;
    return ReadLeadingNumber(latest) > FirmwareNumberFromDisplay(displayVersion);
}
