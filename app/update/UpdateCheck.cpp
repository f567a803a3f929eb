#include "app/update/UpdateCheck.h"

#include "app/update/HttpTransfer.h"
#include "app/update/UpdateMessages.h"
#include "app/update/UpdateNames.h"

namespace {

std::optional<UpdateResultMessage> Posted(HWND window, std::optional<UpdateResultMessage> message)
{
    if (message)
        PostUpdateResult(window, *message);
    return message;
}

} // namespace

void PostUpdateResult(HWND window, const UpdateResultMessage& message)
{
    PostMessageW(window, WM_UPDATE_RESULT, static_cast<WPARAM>(message.channel), message.newer ? 1 : 0);
}

std::optional<UpdateResultMessage> CheckSoftwareUpdate(HWND window, const std::wstring& softwareAddress,
    const std::wstring& currentVersion, LatestVersion& latestSoftware, CheckMode mode)
{
    std::wstring text;
    HttpGetText(VersionFileAddress(softwareAddress), text);
    return Posted(window, DecideSoftwareCheck(text, currentVersion, latestSoftware, mode));
}

std::optional<UpdateResultMessage> CheckFirmwareUpdate(HWND window, const std::wstring& firmwareAddress,
    LatestVersion& latestFirmware, const std::function<int()>& queryDisplayVersion, CheckMode mode)
{
    latestFirmware.Clear();
    std::wstring text;
    HttpGetText(VersionFileAddress(firmwareAddress), text);
    return Posted(window, DecideFirmwareCheck(text, latestFirmware, queryDisplayVersion, mode));
}
