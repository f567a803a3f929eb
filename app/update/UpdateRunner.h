#pragma once

#include "app/update/UpdateChannel.h"

#include <windows.h>

#include <functional>
#include <string>

// What the update needs from the program around it.
struct UpdateEnvironment {
    HWND progressWindow = nullptr; // receives the download progress (WM_TRAY_NOTIFY)
    int* lastProgress = nullptr; // the window's download state: the last progress value posted
    std::wstring dataFolder; // GetDataFolder() in the program
    std::function<void()> endProcess; // exit(0) in the program, run once the new program has started
};

enum class UpdateOutcome {
    Started, // the program was started and endProcess has run
    NotAVersion, // the latest version text cannot name the files
    NoDataFolder,
    DownloadFailed, // no complete archive
    ArchiveUnreadable, // the archive cannot be opened (it is kept)
    ProgramMissing, // the archive holds no program of the expected name
    StartFailed,
};

// CMD_UPDATE_SOFTWARE / CMD_UPDATE_FIRMWARE (worker): downloads the channel's
// archive for the latest version into the data folder's "temp" folder,
// unpacks it there, starts the program inside it and ends this process. Any
// failure leaves this process running and says nothing to the user; the
// outcome is returned for the caller's records.
UpdateOutcome RunUpdate(UpdateChannel channel, const std::wstring& channelAddress, const std::wstring& latestVersion,
    const UpdateEnvironment& environment);

// The folder the archive is unpacked into: "%s\temp\" with the data folder
// (which ends in a backslash already; the doubled one does no harm).
std::wstring UpdateTempFolder(const std::wstring& dataFolder);
