#include "app/update/UpdateDecision.h"

#include "app/update/FirmwareVersion.h"
#include "app/update/VersionCompare.h"
#include "app/update/VersionText.h"

namespace {

std::optional<UpdateResultMessage> Report(UpdateChannel channel, bool newer, CheckMode mode)
{
    if (!newer && mode == CheckMode::Quiet)
        return std::nullopt;
    return UpdateResultMessage{channel, newer};
}

} // namespace

std::optional<UpdateResultMessage> DecideSoftwareCheck(
    std::wstring_view fetched, const std::wstring& currentVersion, LatestVersion& latestSoftware, CheckMode mode)
{
    const std::optional<std::wstring> version = AcceptVersionText(fetched);
    if (!version)
        return std::nullopt;
    latestSoftware.Set(*version);
    const bool newer = CompareVersions(currentVersion, *version) >= 1;
    return Report(UpdateChannel::Software, newer, mode);
}

std::optional<UpdateResultMessage> DecideFirmwareCheck(std::wstring_view fetched, LatestVersion& latestFirmware,
    const std::function<int()>& queryDisplayVersion, CheckMode mode)
{
    const std::optional<std::wstring> version = AcceptVersionText(fetched);
    if (!version)
        return std::nullopt;
    latestFirmware.Set(*version);
    const int displayVersion = queryDisplayVersion ? queryDisplayVersion() : -1;
    return Report(UpdateChannel::Firmware, IsFirmwareNewer(*version, displayVersion), mode);
}
