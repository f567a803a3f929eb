#pragma once

#include "app/update/LatestVersion.h"
#include "app/update/UpdateChannel.h"
#include "app/update/UpdateDecision.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// The update checks, run on the worker. Each fetches its channel's version
// file and posts WM_UPDATE_RESULT to the window when it has something to say
// (loud: always, once the fetch gave a version; quiet: only when newer). A
// failed fetch or a text that is not a version posts nothing. The message
// posted, if any, is also returned.

// CMD_CHECK_SOFTWARE (loud) and CMD_CHECK_SOFTWARE_QUIET (quiet).
std::optional<UpdateResultMessage> CheckSoftwareUpdate(HWND window, const std::wstring& softwareAddress,
    const std::wstring& currentVersion, LatestVersion& latestSoftware, CheckMode mode);

// CMD_CHECK_FIRMWARE (loud) and CMD_CHECK_FIRMWARE_QUIET (quiet). The latest
// firmware version is cleared first. queryDisplayVersion asks the first
// display for its firmware version and returns -1 when there is none or it
// does not answer.
std::optional<UpdateResultMessage> CheckFirmwareUpdate(HWND window, const std::wstring& firmwareAddress,
    LatestVersion& latestFirmware, const std::function<int()>& queryDisplayVersion, CheckMode mode);

void PostUpdateResult(HWND window, const UpdateResultMessage& message);
