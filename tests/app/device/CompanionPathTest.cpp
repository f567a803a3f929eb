#include "app/device/CompanionPath.h"

#include <gtest/gtest.h>

namespace {

TEST(CompanionPath, FolderFollowsTheWindowsVersionAndKeepsTheDoubledBackslash)
{
    EXPECT_EQ(HardwareMonitorPath(L"C:\\Program Files\\Orvane\\", true),
        L"C:\\Program Files\\Orvane\\\\HardwareMonitor\\OpenHardwareMonitorServer.exe");
    EXPECT_EQ(HardwareMonitorPath(L"C:\\Program Files\\Orvane\\", false),
        L"C:\\Program Files\\Orvane\\\\HardwareMonitorWin7\\OpenHardwareMonitorServer.exe");
}

} // namespace
