#include "app/update/UpdateResult.h"

#include "app/update/UpdateNames.h"

namespace {

struct ChannelTexts {
    const wchar_t* current;
    const wchar_t* title;
};

ChannelTexts TextsOf(UpdateChannel channel)
{
    if (channel == UpdateChannel::Software)
        return {L"The software is the latest version!", L"Software Updates"};
    return {L"The Firmware is the latest version!", L"Firmware Updates"};
}

} // namespace

LRESULT OnUpdateResult(WPARAM wparam, LPARAM lparam, const LatestVersion& latestSoftware,
    const LatestVersion& latestFirmware, const ShowMessageBoxFunction& showMessageBox,
    const QueueUpdateFunction& queueUpdate)
{
    if (wparam != static_cast<WPARAM>(UpdateChannel::Software)
        && wparam != static_cast<WPARAM>(UpdateChannel::Firmware))
        return 0;
    const auto channel = static_cast<UpdateChannel>(wparam);
    const ChannelTexts texts = TextsOf(channel);
    if (lparam == 0) {
        showMessageBox(texts.current, texts.title, kMessageBoxOk);
        return 0;
    }
    const LatestVersion& latest = channel == UpdateChannel::Software ? latestSoftware : latestFirmware;
    if (showMessageBox(UpdatePromptText(latest.Get()), texts.title, kMessageBoxYesNo) == kMessageBoxYes)
        queueUpdate(channel);
    return 0;
}
