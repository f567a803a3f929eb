#include "app/update/UpdateNames.h"

namespace {

const wchar_t* ProductStem(UpdateChannel channel)
{
    return channel == UpdateChannel::Software ? L"Software-" : L"FirmwareUpdateTool-";
}

} // namespace

std::wstring VersionFileAddress(const std::wstring& channelAddress) { return channelAddress + L"version"; }

std::wstring ArchiveName(UpdateChannel channel, const std::wstring& version)
{
    return ProductStem(channel) + version + L".zip";
}

std::wstring ProgramName(UpdateChannel channel, const std::wstring& version)
{
    return ProductStem(channel) + version + L".exe";
}

std::wstring DownloadAddress(const std::wstring& channelAddress, const std::wstring& archiveName)
{
    return channelAddress + L"//" + archiveName;
}

std::wstring UpdatePromptText(const std::wstring& version)
{
    return L"Detected the latest version:v" + version + L", update now?";
}
