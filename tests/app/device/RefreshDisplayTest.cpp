#include "app/core/CThreadBasic.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayIds.h"
#include "app/device/RefreshDisplay.h"
#include "app/device/SensorRecord.h"
#include "lumo/Manager.h"

#include "AllocationCounter.h"
#include "SimulatedDisplays.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <vector>

namespace {

using DisplaySim::kReportSent;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// A worker that is not running: its pauses are plain sleeps.
class IdleWorker : public CThreadBasic {
public:
    void Run() override { }
};

// A visible window that notes whether a paint asked for the background to be erased.
class PaintedWindow {
public:
    PaintedWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"RefreshDisplayTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 10, 10, 340,
            250, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        UpdateWindow(window);
    }
    ~PaintedWindow() { DestroyWindow(window); }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            ++paints;
            eraseRequested = paint.fErase != FALSE;
            paintedRect = paint.rcPaint;
            EndPaint(hwnd, &paint);
            return 0;
        }
        if (message == WM_ERASEBKGND)
            return 1;
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    HWND window = nullptr;
    static inline int paints = 0;
    static inline bool eraseRequested = false;
    static inline RECT paintedRect = {};
};

class Refresh : public SimulatedDisplays {
protected:
    void ScanWith(int displays)
    {
        AddDisplays(displays);
        manager.ClearFilters();
        manager.AddFilter(kDisplayVendorId, kDisplayProductId);
        manager.CloseAll();
        manager.OpenMatching();
        manager.SetReady();
    }
    static SensorRecord Record(float temperature, float fan)
    {
        SensorRecord record = {};
        record.cpuTemperature = temperature;
        record.fanSpeed = fan;
        record.liveness = 1.0f;
        return record;
    }
    CHidDeviceManager manager;
};

struct ValuesCase {
    float temperature;
    float fan;
    std::vector<int> digits; // bytes 1..6
    float toolkitTemperature;
    float toolkitFan;
};

void PrintTo(const ValuesCase& c, std::ostream* os) { *os << c.temperature << " C, " << c.fan << " rpm"; }

class RefreshValues : public Refresh, public testing::WithParamInterface<ValuesCase> { };

TEST_P(RefreshValues, SendsTheDigitsAndHandsTheLimitedValuesToTheToolkit)
{
    const ValuesCase& c = GetParam();
    ScanWith(1);
    const SensorRecord record = Record(c.temperature, c.fan);
    EXPECT_EQ(RefreshDisplayOnce(&record, nullptr, manager), RefreshResult::Refreshed);
    const std::vector<DisplaySim::LogEntry> sent = Reports(kReportSent);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].length, 65u);
    EXPECT_EQ(sent[0].bytes[0], 0x07);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(sent[0].bytes[i + 1], c.digits[static_cast<std::size_t>(i)]) << "byte " << i + 1;
    EXPECT_TRUE(std::all_of(sent[0].bytes + 7, sent[0].bytes + 65, [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(Lumo::Manager::GetCPUTemp(), c.toolkitTemperature);
    EXPECT_EQ(Lumo::Manager::GetRPMTemp(), c.toolkitFan);
}

INSTANTIATE_TEST_SUITE_P(Values, RefreshValues,
    testing::Values(ValuesCase{45.7f, 1234.9f, {4, 5, 1, 2, 3, 4}, 45.0f, 1234.0f},
        ValuesCase{7.9f, 850.0f, {0, 7, 0, 8, 5, 0}, 7.0f, 850.0f},
        ValuesCase{123.0f, 1000.0f, {9, 9, 1, 0, 0, 0}, 99.0f, 1000.0f},
        ValuesCase{60.0f, 12000.0f, {6, 0, 9, 9, 9, 9}, 60.0f, 9999.0f},
        // Values that would make the float-to-int conversion undefined.
        ValuesCase{-12.5f, -300.0f, {0, 0, 0, 0, 0, 0}, 0.0f, 0.0f},
        ValuesCase{3.0e9f, 1.0e30f, {9, 9, 9, 9, 9, 9}, 99.0f, 9999.0f},
        ValuesCase{55.0f, kNaN, {5, 5, 0, 0, 0, 0}, 55.0f, 0.0f},
        ValuesCase{55.0f, kInfinity, {5, 5, 0, 0, 0, 0}, 55.0f, 0.0f}));

TEST_F(Refresh, TheGraphicsAdapterViewSendsAndShowsTheAdaptersTemperature)
{
    ScanWith(1);
    SensorRecord record = Record(45.7f, 1234.9f);
    std::strcpy(record.gpuName1, "Adapter");
    record.gpuTemperature1 = 63.2f;
    EXPECT_EQ(
        RefreshDisplayOnce(&record, nullptr, manager, TemperatureSource::GraphicsAdapter), RefreshResult::Refreshed);
    const std::vector<DisplaySim::LogEntry> sent = Reports(kReportSent);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[1], 6);
    EXPECT_EQ(sent[0].bytes[2], 3);
    EXPECT_EQ(sent[0].bytes[3], 1) << "the fan speed is unchanged";
    EXPECT_EQ(Lumo::Manager::GetCPUTemp(), 63.0f);

    // Whether there is data at all is still judged by the processor temperature.
    const SensorRecord empty = Record(0.0f, 1234.9f);
    EXPECT_EQ(RefreshDisplayOnce(&empty, nullptr, manager, TemperatureSource::GraphicsAdapter), RefreshResult::NoData);
}

class RefreshWithoutData : public Refresh, public testing::WithParamInterface<float> { };

TEST_P(RefreshWithoutData, SendsNothingKeepsTheToolkitValuesAndDoesNotPause)
{
    ScanWith(1);
    Lumo::Manager::SetCPUTemp(33.0f);
    Lumo::Manager::SetRPMTemp(1500.0f);
    const SensorRecord record = Record(GetParam(), 1200.0f);
    IdleWorker worker;
    const DWORD start = GetTickCount();
    EXPECT_EQ(RefreshDisplay(&record, nullptr, worker, manager), RefreshResult::NoData);
    EXPECT_LT(GetTickCount() - start, 500u) << "the cycle paused";
    EXPECT_TRUE(Reports(kReportSent).empty());
    EXPECT_EQ(Lumo::Manager::GetCPUTemp(), 33.0f);
    EXPECT_EQ(Lumo::Manager::GetRPMTemp(), 1500.0f);
}

INSTANTIATE_TEST_SUITE_P(Temperatures, RefreshWithoutData, testing::Values(0.0f, -0.0f, kNaN, kInfinity, -kInfinity),
    [](const testing::TestParamInfo<float>& info) {
        const float v = info.param;
        return std::isnan(v) ? std::string("NaN")
            : std::isinf(v)  ? std::string(v > 0 ? "PlusInfinity" : "MinusInfinity")
                             : std::string(std::signbit(v) ? "MinusZero" : "Zero");
    });

TEST_F(Refresh, AnUnmappedRecordDoesNothing)
{
    ScanWith(1);
    IdleWorker worker;
    EXPECT_EQ(RefreshDisplay(nullptr, nullptr, worker, manager), RefreshResult::NotMapped);
    EXPECT_TRUE(Reports(kReportSent).empty());
}

TEST_F(Refresh, WithoutADisplayTheToolkitIsUpdatedAndTheSecondPauseStillHappens)
{
    ScanWith(0);
    const SensorRecord record = Record(41.2f, 980.0f);
    IdleWorker worker;
    const DWORD start = GetTickCount();
    EXPECT_EQ(RefreshDisplay(&record, nullptr, worker, manager), RefreshResult::Refreshed);
    EXPECT_GE(GetTickCount() - start, 950u);
    EXPECT_EQ(Lumo::Manager::GetCPUTemp(), 41.0f);
    EXPECT_EQ(Lumo::Manager::GetRPMTemp(), 980.0f);
    EXPECT_TRUE(Reports(kReportSent).empty());
}

TEST_F(Refresh, TwoDisplaysReceiveIdenticalReportsInEveryCycle)
{
    ScanWith(2);
    for (float temperature : {30.0f, 31.5f, 47.0f}) {
        const SensorRecord record = Record(temperature, 1111.0f);
        RefreshDisplayOnce(&record, nullptr, manager);
    }
    const std::vector<DisplaySim::LogEntry> sent = Reports(kReportSent);
    ASSERT_EQ(sent.size(), 6u);
    for (std::size_t i = 0; i < sent.size(); i += 2) {
        EXPECT_EQ(DisplayOfSlot(sent[i].slot), 1u);
        EXPECT_EQ(DisplayOfSlot(sent[i + 1].slot), 2u);
        EXPECT_EQ(sent[i].length, 65u);
        EXPECT_EQ(sent[i + 1].length, 65u);
        EXPECT_TRUE(std::equal(sent[i].bytes, sent[i].bytes + 65, sent[i + 1].bytes));
    }
    EXPECT_EQ(DisplaySim::ShownText(DisplayInterface(2)), "47 C 1111 rpm");
}

TEST_F(Refresh, InvalidatesTheWholeClientAreaWithoutErasing)
{
    ScanWith(1);
    PaintedWindow painted;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    const int paintsBefore = PaintedWindow::paints;
    const SensorRecord record = Record(50.0f, 1000.0f);
    RefreshDisplayOnce(&record, painted.window, manager);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_EQ(PaintedWindow::paints, paintsBefore + 1);
    EXPECT_FALSE(PaintedWindow::eraseRequested);
    RECT client = {};
    GetClientRect(painted.window, &client);
    EXPECT_TRUE(EqualRect(&PaintedWindow::paintedRect, &client));
}

// A worker whose cycles are the real refresh.
class RefreshingWorker : public CThreadBasic {
public:
    RefreshingWorker(const SensorRecord& record, CHidDeviceManager& displays)
        : m_record(record)
        , m_displays(displays)
    {
    }
    ~RefreshingWorker() override { StopThread(); }
    void Run() override
    {
        RefreshDisplay(&m_record, nullptr, *this, m_displays);
        cycles.fetch_add(1);
    }
    std::atomic<int> cycles{0};

private:
    const SensorRecord& m_record;
    CHidDeviceManager& m_displays;
};

TEST_F(Refresh, StoppingTheWorkerCutsTheSecondPauseShort)
{
    ScanWith(1);
    const SensorRecord record = Record(44.0f, 900.0f);
    RefreshingWorker worker(record, manager);
    ASSERT_TRUE(worker.StartWorker());
    while (Reports(kReportSent).empty())
        Sleep(5);
    const DWORD start = GetTickCount();
    worker.StopThread();
    EXPECT_LT(GetTickCount() - start, 700u) << "the stop waited for the whole pause";
    EXPECT_EQ(worker.cycles.load(), 1);
}

TEST_F(Refresh, ACycleAllocatesNothing)
{
    ScanWith(2);
    SensorRecord record = Record(45.7f, 1234.9f);
    RefreshDisplayOnce(&record, nullptr, manager); // warm up
    const std::size_t before = AllocationCount();
    for (int cycle = 0; cycle < 100; ++cycle) {
        record.cpuTemperature = 30.0f + static_cast<float>(cycle % 50);
        RefreshDisplayOnce(&record, nullptr, manager);
    }
    EXPECT_EQ(AllocationCount() - before, 0u);
    EXPECT_EQ(Reports(kReportSent).size(), 202u);
}

} // namespace
