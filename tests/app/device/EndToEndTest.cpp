// The program's core loop (tools/core-harness, ThermadexCore.exe) run as a
// real process with both simulators: the companion sensor simulator it starts
// itself and the simulated displays of this test's session.
#include "app/core/SingleInstance.h"

#include "SimulatedDisplays.h"
#include "TestProcess.h"

#include <algorithm>
#include <string>
#include <thread>

namespace {

using namespace TestProcess;

constexpr wchar_t kCompanion[] = L"OpenHardwareMonitorServer.exe";

std::wstring Harness(int seconds)
{
    return L"\"" + BinDir() + L"ThermadexCore.exe\" --seconds " + std::to_wstring(seconds);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CoreLoop : public SimulatedDisplays {
protected:
    void SetUp() override
    {
        SimulatedDisplays::SetUp();
        EndProcessesNamed(kCompanion);
        // The companion is started with its bare path; it takes its values from here.
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", L"--temp 45.7 --fan 1234.9 --interval 100");
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", nullptr);
        EndProcessesNamed(L"ThermadexCore.exe");
        EndProcessesNamed(kCompanion);
    }
    // Waits until the first instance's window carries the instance property.
    static HWND WaitForInstanceWindow(DWORD timeoutMs)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            if (HWND window = FindInstanceWindow())
                return window;
            Sleep(50);
        }
        return nullptr;
    }
};

TEST_F(CoreLoop, DrivesEveryDisplayWithTheCompanionsValuesAndShutsDownInOrder)
{
    DisplaySim::DisplayOptions options;
    options.firmwareVersion = 0x0105;
    AddDisplays(2, options);
    std::string output, errors;
    EXPECT_EQ(RunToEnd(Harness(4), 30000, &output, &errors), 1) << output << errors;

    // Start-up: commands 5, 1, 6 in this order, then the refresh.
    const std::size_t software = output.find("command 5:");
    const std::size_t rescan = output.find("rescan: 2 display(s), sensor record mapped");
    const std::size_t firmware = output.find("command 6: firmware version of the first display 0x0105");
    const std::size_t refresh = output.find("refresh: 45 C 1234 rpm to 2 display(s)");
    ASSERT_NE(software, std::string::npos) << output;
    ASSERT_NE(rescan, std::string::npos) << output;
    ASSERT_NE(firmware, std::string::npos) << output;
    ASSERT_NE(refresh, std::string::npos) << output;
    EXPECT_LT(software, rescan);
    EXPECT_LT(rescan, firmware);
    EXPECT_LT(firmware, refresh);
    // Wine has no logon trigger: the task's step writes its line and start-up goes on.
    EXPECT_TRUE(Contains(errors, "Failed to create trigger with HRESULT: 0x80004001")) << errors;

    for (int display = 1; display <= 2; ++display)
        EXPECT_EQ(DisplaySim::ShownText(DisplayInterface(display)), "45 C 1234 rpm");
    const std::vector<DisplaySim::LogEntry> sent = Reports(DisplaySim::kReportSent);
    const auto temperatureReports = std::count_if(sent.begin(), sent.end(), [](const DisplaySim::LogEntry& entry) {
        return entry.length == 65 && entry.bytes[1] == 4 && entry.bytes[2] == 5 && entry.bytes[3] == 1
            && entry.bytes[4] == 2 && entry.bytes[5] == 3 && entry.bytes[6] == 4;
    });
    EXPECT_GE(temperatureReports, 4) << "about one report a second to each of two displays";
    // The normal shutdown ends the companion.
    Sleep(200);
    EXPECT_TRUE(ProcessIdsNamed(kCompanion).empty());
}

TEST_F(CoreLoop, ASecondInstanceEndsWithZeroAndStartsNothing)
{
    AddDisplays(1);
    HANDLE first = Start(Harness(20));
    ASSERT_NE(first, nullptr);
    HWND window = WaitForInstanceWindow(10000);
    ASSERT_NE(window, nullptr);
    // Sample the display only once the first instance's start-up rescan has
    // opened it and a refresh has reached it.
    const DWORD start = GetTickCount();
    while (!DisplayInterface(1).showing && GetTickCount() - start < 10000)
        Sleep(50);
    ASSERT_TRUE(DisplayInterface(1).showing);
    const std::vector<DWORD> companions = ProcessIdsNamed(kCompanion);
    EXPECT_EQ(companions.size(), 1u);
    const std::uint32_t opensBefore = DisplayInterface(1).opens;

    std::string output, errors;
    EXPECT_EQ(RunToEnd(Harness(2), 10000, &output, &errors), 0);
    EXPECT_EQ(output, "");
    EXPECT_EQ(errors, "") << "the second instance touched the autostart task";
    EXPECT_EQ(ProcessIdsNamed(kCompanion), companions) << "the second instance ended or started a companion";
    EXPECT_EQ(DisplayInterface(1).opens, opensBefore);
    EXPECT_TRUE(IsRunning(first));

    // The first instance ends normally when its window is closed.
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(first, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(first, &code);
    CloseHandle(first);
    EXPECT_EQ(code, 1u);
}

TEST_F(CoreLoop, UnpluggingAndPluggingADisplayIsFollowedThroughNotificationsAndRescans)
{
    AddDisplays(2);
    std::string output;
    std::thread run([&] { RunToEnd(Harness(8), 30000, &output); });
    const DWORD start = GetTickCount();
    while (!DisplayInterface(2).showing && GetTickCount() - start < 10000)
        Sleep(50);
    ASSERT_TRUE(DisplayInterface(2).showing);
    const std::wstring control = L"\"" + BinDir() + L"DisplaySimulator.exe\" ";
    EXPECT_EQ(RunToEnd(control + L"unplug 2", 10000), 0);
    Sleep(1500);
    EXPECT_EQ(RunToEnd(control + L"plug 2", 10000), 0);
    run.join();
    const std::size_t removed = output.find("rescan: 1 display(s)");
    ASSERT_NE(removed, std::string::npos) << output;
    EXPECT_NE(output.find("rescan: 2 display(s)", removed), std::string::npos) << output;
    EXPECT_NE(output.find("device removal: 1 rescan(s) queued"), std::string::npos) << output;
    EXPECT_NE(output.find("device arrival"), std::string::npos) << output;
}

} // namespace
