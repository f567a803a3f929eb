#pragma once

#include "app/update/LatestVersion.h"
#include "app/update/UpdateChannel.h"

#include <windows.h>

#include <functional>
#include <string>

// Shows a message box and returns its answer: 1 for "OK" or "YES", 2 for "NO".
// Styles: 0 one "OK" button, 4 "YES" and "NO".
using ShowMessageBoxFunction = std::function<unsigned(const std::wstring& text, const std::wstring& title, int style)>;

// Queues the download of a channel (CMD_UPDATE_SOFTWARE or CMD_UPDATE_FIRMWARE).
using QueueUpdateFunction = std::function<void(UpdateChannel channel)>;

constexpr int kMessageBoxOk = 0;
constexpr int kMessageBoxYesNo = 4;
constexpr unsigned kMessageBoxYes = 1;

// The main window's answer to WM_UPDATE_RESULT (window thread): tells that a
// channel is current, or asks whether to update to its latest version and
// queues the download on yes. Any other wParam does nothing. Returns 0.
LRESULT OnUpdateResult(WPARAM wparam, LPARAM lparam, const LatestVersion& latestSoftware,
    const LatestVersion& latestFirmware, const ShowMessageBoxFunction& showMessageBox,
    const QueueUpdateFunction& queueUpdate);
