// One refresh cycle (record read, report build, toolkit hand-over, window
// invalidation, send to every display) without its pause, against 1, 2 and 8
// simulated displays, as a ratio to building the 65-byte report alone; the
// allocations per cycle; and the worker thread's CPU use while data flows
// (a cycle a second) and while there is none (a poll every 16 ms).
#include "Bench.h"

#include "SimulatorState.h"
#include "app/core/CThreadBasic.h"
#include "app/core/CommandList.h"
#include "app/core/WorkerDispatch.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayIds.h"
#include "app/device/RefreshDisplay.h"
#include "app/device/SensorRecord.h"
#include "app/device/TemperatureReport.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <string>

namespace {

std::atomic<std::size_t> g_allocations{0};

// The companion's side of the shared record.
class Record {
public:
    Record()
    {
        m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
            static_cast<DWORD>(kSensorRecordSize), kSensorMappingName);
        record = static_cast<SensorRecord*>(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, kSensorRecordSize));
    }
    ~Record()
    {
        UnmapViewOfFile(record);
        CloseHandle(m_mapping);
    }
    SensorRecord* record = nullptr;

private:
    HANDLE m_mapping = nullptr;
};

HWND CreateHiddenWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RefreshBenchWindow";
    RegisterClassW(&windowClass);
    return CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 340, 250, nullptr, nullptr,
        GetModuleHandleW(nullptr), nullptr);
}

void Scan(CHidDeviceManager& manager)
{
    manager.ClearFilters();
    manager.AddFilter(kDisplayVendorId, kDisplayProductId);
    manager.CloseAll();
    manager.OpenMatching();
    manager.SetReady();
}

double ThreadSeconds(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return -1.0;
    auto seconds = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The main window's worker, with the refresh as its only work.
class BenchWorker : public CThreadBasic, private WorkerCommandHandler {
public:
    BenchWorker(const SensorRecord* record, HWND window, CHidDeviceManager& displays)
        : m_record(record)
        , m_window(window)
        , m_displays(displays)
    {
    }
    ~BenchWorker() override
    {
        StopThread();
        if (thread)
            CloseHandle(thread);
    }
    void Run() override
    {
        if (!thread)
            DuplicateHandle(
                GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE, DUPLICATE_SAME_ACCESS);
        DispatchWorkerCycle(m_commands, *this);
        cycles.fetch_add(1);
    }
    HANDLE thread = nullptr;
    std::atomic<int> cycles{0};

private:
    void RefreshDisplay() override { ::RefreshDisplay(m_record, m_window, *this, m_displays); }
    void RescanDevices() override { }
    void CheckSoftware(bool) override { }
    void CheckFirmware(bool) override { }
    void UpdateSoftware() override { }
    void UpdateFirmware() override { }

    CommandList m_commands;
    const SensorRecord* m_record;
    HWND m_window;
    CHidDeviceManager& m_displays;
};

void MeasureWorker(const char* name, const SensorRecord* record, HWND window, CHidDeviceManager& displays, int seconds)
{
    BenchWorker worker(record, window, displays);
    worker.StartWorker();
    const DWORD start = GetTickCount();
    // The window thread keeps answering its messages meanwhile.
    while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    const double cpu = ThreadSeconds(worker.thread);
    const double wall = (GetTickCount() - start) / 1000.0;
    worker.StopThread();
    // Thread times advance in whole scheduler ticks (10 ms under Wine).
    if (cpu < 0.01)
        std::printf("%-48s < 0.010 s CPU in %.1f s = < %5.3f %% of one core, %d cycles\n", name, wall, 1.0 / wall,
            worker.cycles.load());
    else
        std::printf("%-48s %8.3f s CPU in %.1f s = %6.3f %% of one core, %d cycles\n", name, cpu, wall,
            100.0 * cpu / wall, worker.cycles.load());
    std::fflush(stdout);
}

} // namespace

void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

int wmain(int argc, wchar_t** argv)
{
    int seconds = 30;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], L"--seconds") == 0)
            seconds = _wtoi(argv[i + 1]);

    const std::wstring session = L"ThermadexBench-" + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(DisplaySim::kSessionVariable, session.c_str());
    DisplaySim::SimulatorState sim;
    if (!sim.Open(session, true)) {
        std::printf("no simulator session\n");
        return 1;
    }
    Record shared;
    shared.record->cpuTemperature = 45.7f;
    shared.record->fanSpeed = 1234.9f;
    shared.record->liveness = 1.0f;
    const SensorRecord* view = shared.record;
    HWND window = CreateHiddenWindow();

    volatile int sink = 0;
    int step = 0;
    const double baseline = bench::MedianNanos(
        [&] {
            const TemperatureReport report = EncodeTemperatureReport(step % 100, (step * 7) % 10000);
            sink = sink + report[2] + report[6];
            ++step;
        },
        200000);
    bench::Report("build the 65-byte report (baseline)", baseline, baseline);

    CHidDeviceManager displays;
    for (int count : {1, 2, 8}) {
        sim.Reset();
        for (int i = 0; i < count; ++i)
            sim.AddDisplay({});
        Scan(displays);
        const double cycle = bench::MedianNanos([&] { RefreshDisplayOnce(view, window, displays); }, 2000);
        const std::size_t before = g_allocations.load();
        for (int i = 0; i < 1000; ++i)
            RefreshDisplayOnce(view, window, displays);
        const std::size_t allocations = g_allocations.load() - before;
        bench::Report("refresh cycle, " + std::to_string(count) + " display(s)", cycle, baseline);
        // The same without a window to invalidate: what the sends cost.
        const double sends = bench::MedianNanos([&] { RefreshDisplayOnce(view, nullptr, displays); }, 2000);
        bench::Report("  the same cycle without a window to invalidate", sends, baseline);
        std::printf("%-48s %12.3f allocations per cycle\n", "", allocations / 1000.0);
        std::fflush(stdout);
    }

    sim.Reset();
    sim.AddDisplay({});
    sim.AddDisplay({});
    Scan(displays);
    MeasureWorker("worker, data flowing (2 displays)", view, window, displays, seconds);
    shared.record->cpuTemperature = 0.0f;
    MeasureWorker("worker, no data (16-ms poll)", view, window, displays, seconds);
    DestroyWindow(window);
    return sink == -1;
}
