#include "app/core/DpiRule.h"
#include "app/core/ProcessTools.h"

#include "TestProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace TestProcess;

// Copies of the test helper under one executable name, each staying 30 s.
class NamedProcesses : public testing::Test {
protected:
    void SetUp() override { m_folder = NewTempFolder(L"thermadex-kill"); }
    void TearDown() override
    {
        EndProcessesNamed(L"KillProbe.exe");
        for (HANDLE process : m_processes)
            CloseHandle(process);
        RemoveTree(m_folder);
    }
    HANDLE StartOne(const wchar_t* fileName)
    {
        const std::wstring exe = m_folder + fileName;
        if (!Exists(exe)) {
            EXPECT_TRUE(CopyInto(BinDir() + L"app_core_test_helper.exe", exe));
        }
        HANDLE process = Start(L"\"" + exe + L"\" sleep 30000");
        EXPECT_NE(process, nullptr);
        m_processes.push_back(process);
        return process;
    }
    static bool WaitUntilEnded(HANDLE process) { return WaitForSingleObject(process, 3000) == WAIT_OBJECT_0; }

    std::wstring m_folder;
    std::vector<HANDLE> m_processes;
};

TEST_F(NamedProcesses, TheNameMatchesInAnyLetterCase)
{
    for (const wchar_t* wanted : {L"KILLPROBE.EXE", L"killprobe.exe"}) {
        HANDLE process = StartOne(L"KillProbe.exe");
        ASSERT_TRUE(IsRunning(process));
        EXPECT_TRUE(KillProcessByName(wanted));
        EXPECT_TRUE(WaitUntilEnded(process));
    }
}

TEST_F(NamedProcesses, OneCallEndsOnlyTheFirstProcessOfTheSnapshot)
{
    StartOne(L"KillProbe.exe");
    StartOne(L"KillProbe.exe");
    const std::vector<DWORD> before = ProcessIdsNamed(L"KillProbe.exe");
    ASSERT_EQ(before.size(), 2u);
    EXPECT_TRUE(KillProcessByName(L"KillProbe.exe"));
    Sleep(300);
    EXPECT_EQ(ProcessIdsNamed(L"KillProbe.exe"), std::vector<DWORD>{before[1]});
    EXPECT_TRUE(KillProcessByName(L"KillProbe.exe"));
    Sleep(300);
    EXPECT_TRUE(ProcessIdsNamed(L"KillProbe.exe").empty());
}

TEST_F(NamedProcesses, NoMatchEndsNothingAndStillSucceeds)
{
    HANDLE process = StartOne(L"KillProbe.exe");
    EXPECT_TRUE(KillProcessByName(L"KillProbe2.exe"));
    EXPECT_TRUE(KillProcessByName(L"KillProbe"));
    Sleep(200);
    EXPECT_TRUE(IsRunning(process));
}

TEST(ProcessTools, DebugPrivilegeIsEnabledInTheElevatedProcess) { EXPECT_TRUE(EnableDebugPrivilege()); }

// The rule's decision follows the session's real screen, read in a fresh
// process. (Wine reports every process as DPI-aware, so what
// SetProcessDPIAware changed cannot be read back there.)
TEST(ProcessTools, DpiRuleFollowsTheSessionsScreen)
{
    std::string output;
    ASSERT_EQ(RunToEnd(L"\"" + BinDir() + L"app_core_test_helper.exe\" dpi", 10000, &output), 0);
    int width = 0, height = 0, decided = -1;
    ASSERT_EQ(std::sscanf(output.c_str(), "%d %d %d", &width, &height, &decided), 3) << output;
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(decided != 0, NeedsDpiAwareness(width, height));
}

} // namespace
