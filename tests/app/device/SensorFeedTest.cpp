#include "app/device/DisplayValues.h"
#include "app/device/SensorFeed.h"
#include "app/device/SensorMapping.h"

#include "TestProcess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace TestProcess;

constexpr wchar_t kCompanion[] = L"OpenHardwareMonitorServer.exe";

std::string WithoutCarriageReturns(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

// A writable view of the shared record, as the companion has it.
class CompanionSide {
public:
    CompanionSide()
    {
        mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
            static_cast<DWORD>(kSensorRecordSize), kSensorMappingName);
        record = static_cast<SensorRecord*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kSensorRecordSize));
    }
    ~CompanionSide()
    {
        UnmapViewOfFile(record);
        CloseHandle(mapping);
    }
    HANDLE mapping = nullptr;
    SensorRecord* record = nullptr;
};

class SensorMemory : public testing::Test {
protected:
    // No companion of an earlier test may hold the record.
    void SetUp() override { EndProcessesNamed(kCompanion); }
    void TearDown() override { EndProcessesNamed(kCompanion); }
};

TEST_F(SensorMemory, TheProgramCreatesTheRecordOrOpensTheCompanionsReadOnly)
{
    HANDLE firstMapping = nullptr, secondMapping = nullptr;
    const SensorRecord* first = nullptr;
    const SensorRecord* second = nullptr;
    bool createdNew = false;
    ASSERT_TRUE(MapSensorMemory(firstMapping, first, createdNew));
    EXPECT_TRUE(createdNew);
    EXPECT_EQ(LoadSensorFloat(first->cpuTemperature), 0.0f) << "a new record reads as all zeros";
    ASSERT_TRUE(MapSensorMemory(secondMapping, second, createdNew));
    EXPECT_FALSE(createdNew);

    MEMORY_BASIC_INFORMATION page = {};
    VirtualQuery(first, &page, sizeof(page));
    EXPECT_EQ(page.Protect, static_cast<DWORD>(PAGE_READONLY));

    CompanionSide companion;
    companion.record->cpuTemperature = 51.5f;
    EXPECT_EQ(LoadSensorFloat(first->cpuTemperature), 51.5f);
    EXPECT_EQ(LoadSensorFloat(second->cpuTemperature), 51.5f);
    for (const SensorRecord* view : {first, second})
        UnmapViewOfFile(view);
    CloseHandle(firstMapping);
    CloseHandle(secondMapping);
}

TEST_F(SensorMemory, TheSensorSimulatorPublishesTheValuesItIsGiven)
{
    HANDLE process = Start(L"\"" + BinDir() + L"HardwareMonitor\\" + kCompanion
        + L"\" --temp 45.7 --fan 1234.9 --gpu1 \"Simulated GPU\" 61.5 --interval 50");
    ASSERT_NE(process, nullptr);
    SensorMapping sensor;
    ASSERT_TRUE(sensor.MapIfNeeded());
    const SensorRecord* record = sensor.Record();
    const DWORD start = GetTickCount();
    while (!(LoadSensorFloat(record->liveness) > 0.0f) && GetTickCount() - start < 5000)
        Sleep(20);
    EXPECT_GT(LoadSensorFloat(record->liveness), 0.0f);
    const DisplayValues values = ReadDisplayValues(*record);
    EXPECT_TRUE(values.hasData);
    EXPECT_EQ(values.temperature, 45);
    EXPECT_EQ(values.fanSpeed, 1234);
    EXPECT_STREQ(record->gpuName1, "Simulated GPU");
    EXPECT_EQ(GraphicsTemperature(*record), 61);
    TerminateProcess(process, 0);
    CloseHandle(process);
}

TEST_F(SensorMemory, WithoutValuesTheSimulatedSensorsChangeOverTime)
{
    HANDLE process = Start(L"\"" + BinDir() + L"HardwareMonitor\\" + kCompanion + L"\" --interval 50");
    ASSERT_NE(process, nullptr);
    SensorMapping sensor;
    ASSERT_TRUE(sensor.MapIfNeeded());
    const SensorRecord* record = sensor.Record();
    Sleep(500);
    const float first = LoadSensorFloat(record->cpuTemperature);
    const float firstLiveness = LoadSensorFloat(record->liveness);
    Sleep(1500);
    EXPECT_NE(LoadSensorFloat(record->cpuTemperature), first);
    EXPECT_GT(LoadSensorFloat(record->liveness), firstLiveness);
    TerminateProcess(process, 0);
    CloseHandle(process);
}

TEST(WindowsVersion, ThePrefixReportsWindows10)
{
    testing::internal::CaptureStderr();
    EXPECT_TRUE(IsWin10OrLater());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(WindowsVersion, ProbeFailuresWriteTheirLinesInGbkAndGiveFalse)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(IsWin10OrLater(L"no-such-library.dll", "RtlGetNtVersionNumbers"));
    EXPECT_EQ(WithoutCarriageReturns(testing::internal::GetCapturedStderr()),
        "\xCE\xDE\xB7\xA8\xBC\xD3\xD4\xD8 ntdll.dll\n"); // "无法加载 ntdll.dll"
    testing::internal::CaptureStderr();
    EXPECT_FALSE(IsWin10OrLater(L"ntdll.dll", "NoSuchVersionFunction"));
    EXPECT_EQ(WithoutCarriageReturns(testing::internal::GetCapturedStderr()),
        "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1 RtlGetNtVersionNumbers \xBA\xAF\xCA\xFD\xB5\xC4\xB5\xD8\xD6\xB7\n");
}

// A program folder with a blank in its name, holding a copy of the test
// helper as the program and as the companion in both companion folders, and a
// decoy where the system would look first if the command line were searched.
class CompanionFolders : public testing::Test {
protected:
    void SetUp() override
    {
        base = NewTempFolder(L"thermadex-companion");
        program = base + L"Prog Dir\\";
        const std::wstring helper = BinDir() + L"app_core_test_helper.exe";
        ASSERT_TRUE(CopyInto(helper, base + L"Prog.exe"));
        for (const wchar_t* folder : {L"HardwareMonitor\\", L"HardwareMonitorWin7\\"})
            ASSERT_TRUE(CopyInto(helper, program + folder + kCompanion));
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Wine\\AppDefaults\\" + m_probeName).c_str());
        RemoveTree(base);
    }
    // Runs the program copy named `probeName` (as Windows `version` when
    // given) and returns its exit code: 10 on Windows 10, 7 before.
    int StartCompanionAs(const std::wstring& probeName, const wchar_t* version)
    {
        m_probeName = probeName;
        EXPECT_TRUE(CopyInto(BinDir() + L"app_core_test_helper.exe", program + probeName));
        if (version) {
            const std::wstring key = L"Software\\Wine\\AppDefaults\\" + probeName;
            RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, version,
                static_cast<DWORD>((std::wcslen(version) + 1) * sizeof(wchar_t)));
        }
        return RunToEnd(L"\"" + program + probeName + L"\" start-monitor", 10000);
    }
    std::wstring Started(const wchar_t* folder) { return program + folder + L"started.txt"; }

    std::wstring base;
    std::wstring program;

private:
    std::wstring m_probeName;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST_F(CompanionFolders, OnWindows10TheCompanionStartsFromHardwareMonitorWithTheBarePath)
{
    ASSERT_EQ(StartCompanionAs(L"probe10.exe", nullptr), 10);
    ASSERT_TRUE(WaitForFile(Started(L"HardwareMonitor\\"), 5000));
    EXPECT_EQ(ReadText(Started(L"HardwareMonitor\\")),
        Narrow(program) + "\\HardwareMonitor\\OpenHardwareMonitorServer.exe\n");
    Sleep(300);
    EXPECT_FALSE(Exists(Started(L"HardwareMonitorWin7\\")));
    EXPECT_FALSE(Exists(base + L"started.txt")) << "the decoy before the blank was started";
}

TEST_F(CompanionFolders, OnWindows7TheCompanionStartsFromHardwareMonitorWin7)
{
    ASSERT_EQ(StartCompanionAs(L"probe7.exe", L"win7"), 7);
    ASSERT_TRUE(WaitForFile(Started(L"HardwareMonitorWin7\\"), 5000));
    EXPECT_EQ(ReadText(Started(L"HardwareMonitorWin7\\")),
        Narrow(program) + "\\HardwareMonitorWin7\\OpenHardwareMonitorServer.exe\n");
    Sleep(300);
    EXPECT_FALSE(Exists(Started(L"HardwareMonitor\\")));
    EXPECT_FALSE(Exists(base + L"started.txt"));
}

// A window whose timer 300 is the watchdog, ticking fast.
class WatchdogWindow {
public:
    explicit WatchdogWindow(const SensorRecord* record)
        : m_record(record)
    {
        s_current = this;
        s_starts = 0;
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WatchdogTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
            GetModuleHandleW(nullptr), nullptr);
    }
    ~WatchdogWindow()
    {
        DestroyWindow(window);
        s_current = nullptr;
    }
    // Runs the timer until it has been quiet for half a second.
    void RunWatchdog()
    {
        StartSensorWatchdog(window, 10);
        DWORD lastTick = GetTickCount();
        int seenTicks = 0;
        while (GetTickCount() - lastTick < 500) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            if (ticks != seenTicks) {
                seenTicks = ticks;
                lastTick = GetTickCount();
            }
            Sleep(2);
        }
    }
    static void CountStart() { ++s_starts; }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message == WM_TIMER && wparam == kSensorWatchdogTimerId && s_current) {
            ++s_current->ticks;
            OnSensorWatchdogTimer(hwnd, s_current->watchdog, s_current->m_record, CountStart);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }

    HWND window = nullptr;
    SensorWatchdog watchdog;
    int ticks = 0;
    static inline int s_starts = 0;

private:
    const SensorRecord* m_record;
    static inline WatchdogWindow* s_current = nullptr;
};

TEST(SensorWatchdogTimer, WithoutARecordStartsTheCompanionTwelveTimesThenStops)
{
    WatchdogWindow watchdog(nullptr);
    watchdog.RunWatchdog();
    EXPECT_EQ(watchdog.ticks, 12);
    EXPECT_EQ(WatchdogWindow::s_starts, 12);
}

struct LivenessCase {
    float liveness;
    int starts;
};

class SensorWatchdogLiveness : public testing::TestWithParam<LivenessCase> { };

TEST_P(SensorWatchdogLiveness, StartsTheCompanionOnlyWhileTheRecordShowsNoLife)
{
    SensorRecord record = {};
    record.liveness = GetParam().liveness;
    WatchdogWindow watchdog(&record);
    watchdog.RunWatchdog();
    EXPECT_EQ(watchdog.ticks, 12);
    EXPECT_EQ(WatchdogWindow::s_starts, GetParam().starts);
}

INSTANTIATE_TEST_SUITE_P(Values, SensorWatchdogLiveness,
    testing::Values(LivenessCase{0.0f, 12}, LivenessCase{-1.0f, 12}, LivenessCase{1.5f, 0},
        LivenessCase{std::numeric_limits<float>::quiet_NaN(), 0}),
    [](const testing::TestParamInfo<LivenessCase>& info) {
        const float v = info.param.liveness;
        return std::isnan(v) ? std::string("NaN")
            : v > 0          ? std::string("Live")
            : v < 0          ? std::string("Negative")
                             : std::string("Zero");
    });

} // namespace
