#pragma once

#include "app/update/UpdateChannel.h"

#include <string>

// Paths of the two channels on the update host; each address ends in a slash.
constexpr wchar_t kSoftwareChannelPath[] = L"/display-k9/K9X/software/";
constexpr wchar_t kFirmwareChannelPath[] = L"/display-k9/K9X/firmware/";

// The version file of a channel: its address followed by "version".
std::wstring VersionFileAddress(const std::wstring& channelAddress);

// "Software-%s.zip" / "FirmwareUpdateTool-%s.zip" with the version.
std::wstring ArchiveName(UpdateChannel channel, const std::wstring& version);

// "Software-%s.exe" / "FirmwareUpdateTool-%s.exe": the program inside the archive.
std::wstring ProgramName(UpdateChannel channel, const std::wstring& version);

// "%s//%s" with the channel address and the archive name. The address already
// ends in a slash, so three slashes precede the name; the host serves it so.
std::wstring DownloadAddress(const std::wstring& channelAddress, const std::wstring& archiveName);

// The question asked when a newer version exists, "%s:v%s, %s" with
// "Detected the latest version", the version and "update now?".
std::wstring UpdatePromptText(const std::wstring& version);
