#pragma once

#include "app/update/LatestVersion.h"
#include "app/update/UpdateChannel.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What a check reports to the main window: the update result message's
// wParam (the channel) and lParam (1 newer, 0 current).
struct UpdateResultMessage {
    UpdateChannel channel;
    bool newer;

    bool operator==(const UpdateResultMessage& other) const { return channel == other.channel && newer == other.newer; }
};

// The software check after its fetch. A fetched text that is not a version
// changes nothing and reports nothing; otherwise it is stored as the latest
// software version (trimmed) and compared with the current version.
std::optional<UpdateResultMessage> DecideSoftwareCheck(
    std::wstring_view fetched, const std::wstring& currentVersion, LatestVersion& latestSoftware, CheckMode mode);

// The firmware check after its fetch (the caller has cleared the latest
// firmware version before fetching). The display is asked for its version
// only when the fetched text is a version; the query returns -1 when there is
// no display or it does not answer, which counts as current.
std::optional<UpdateResultMessage> DecideFirmwareCheck(std::wstring_view fetched, LatestVersion& latestFirmware,
    const std::function<int()>& queryDisplayVersion, CheckMode mode);
