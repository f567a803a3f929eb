#pragma once

#include <string>

// The companion sensor process's command line: the program folder (which
// ends in a backslash), then "\HardwareMonitor\" on Windows 10 and later or
// "\HardwareMonitorWin7\" before, then "OpenHardwareMonitorServer.exe". The
// doubled backslash is kept; the system reads it as one.
std::wstring HardwareMonitorPath(const std::wstring& programFolder, bool win10OrLater);
