#include "app/device/CompanionPath.h"

std::wstring HardwareMonitorPath(const std::wstring& programFolder, bool win10OrLater)
{
    return programFolder + (win10OrLater ? L"\\HardwareMonitor\\" : L"\\HardwareMonitorWin7\\")
        + L"OpenHardwareMonitorServer.exe";
}
