#include "app/core/CThreadBasic.h"
#include "app/core/CommandCodes.h"
#include "app/core/CommandList.h"
#include "app/core/WorkerDispatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace {

// A worker shaped like the main window's: its Run is the dispatcher and its
// refresh pauses like the real one (interruptibly, `refreshPauseMs` long).
class RecordingWorker : public CThreadBasic, public WorkerCommandHandler {
public:
    ~RecordingWorker() override { StopThread(); }

    void Run() override
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_threads.insert(GetCurrentThreadId());
        }
        runs.fetch_add(1);
        DispatchWorkerCycle(commands, *this);
    }
    void RefreshDisplay() override
    {
        Record("refresh");
        inRefresh.store(true);
        if (refreshPauseMs)
            PauseWorker(refreshPauseMs);
        inRefresh.store(false);
    }
    void RescanDevices() override { Record("1"); }
    void CheckSoftware(bool quiet) override { Record(quiet ? "5" : "3"); }
    void CheckFirmware(bool quiet) override { Record(quiet ? "6" : "4"); }
    void UpdateSoftware() override { Record("7"); }
    void UpdateFirmware() override { Record("8"); }

    std::vector<std::string> Events()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_events;
    }
    std::size_t ThreadCount()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_threads.size();
    }
    bool WaitForEvents(std::size_t count, DWORD timeoutMs = 5000)
    {
        const DWORD start = GetTickCount();
        while (Events().size() < count) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            Sleep(5);
        }
        return true;
    }
    HANDLE ExitEvent() const { return m_hExitEvent; }

    CommandList commands;
    DWORD refreshPauseMs = 0;
    std::atomic<int> runs{0};
    std::atomic<bool> inRefresh{false};

private:
    void Record(const char* event)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_events.push_back(event);
    }

    std::mutex m_lock;
    std::vector<std::string> m_events;
    std::set<DWORD> m_threads;
};

TEST(WorkerThread, AfterStartUpRunsQuietSoftwareRescanQuietFirmwareThenRefreshes)
{
    RecordingWorker worker;
    QueueStartupCommands(worker.commands);
    ASSERT_TRUE(worker.StartWorker());
    ASSERT_TRUE(worker.WaitForEvents(5));
    const std::vector<std::string> events = worker.Events();
    EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 5),
        (std::vector<std::string>{"5", "1", "6", "refresh", "refresh"}));
}

TEST(WorkerThread, UnknownCodesAreDroppedAndTheNextCommandRuns)
{
    RecordingWorker worker;
    for (int code : {0, 2, 9, CMD_RESCAN})
        worker.commands.QueueCommand(code);
    ASSERT_TRUE(worker.StartWorker());
    ASSERT_TRUE(worker.WaitForEvents(2));
    const std::vector<std::string> events = worker.Events();
    EXPECT_EQ(events[0], "1");
    EXPECT_EQ(events[1], "refresh");
    EXPECT_EQ(worker.commands.Size(), 0u);
}

TEST(WorkerThread, ASecondStartWhileRunningDoesNothing)
{
    RecordingWorker worker;
    ASSERT_TRUE(worker.StartWorker());
    const HANDLE firstEvent = worker.ExitEvent();
    EXPECT_FALSE(worker.StartWorker());
    EXPECT_EQ(worker.ExitEvent(), firstEvent);
    ASSERT_TRUE(worker.WaitForEvents(10));
    EXPECT_EQ(worker.ThreadCount(), 1u);
}

TEST(WorkerThread, WithoutLoopRunsOnceAndSignalsItsEvent)
{
    RecordingWorker worker;
    ASSERT_TRUE(worker.StartThread(0, 16));
    ASSERT_EQ(WaitForSingleObject(worker.ExitEvent(), 2000), WAIT_OBJECT_0);
    Sleep(100);
    EXPECT_EQ(worker.runs.load(), 1);
}

TEST(WorkerThread, StopInterruptsTheRefreshPauseAndNoCycleRunsAfterIt)
{
    RecordingWorker worker;
    worker.refreshPauseMs = 5000;
    ASSERT_TRUE(worker.StartWorker());
    ASSERT_TRUE(worker.WaitForEvents(1));
    while (!worker.inRefresh.load())
        Sleep(1);
    const DWORD start = GetTickCount();
    worker.StopThread();
    EXPECT_LT(GetTickCount() - start, 1000u) << "the stop waited for the whole pause";
    EXPECT_FALSE(worker.inRefresh.load()) << "StopThread returned while a cycle was still running";
    const int runs = worker.runs.load();
    Sleep(200);
    EXPECT_EQ(worker.runs.load(), runs);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, ACodeAppendedDuringARefreshRunsInTheNextCycle)
{
    RecordingWorker worker;
    worker.refreshPauseMs = 300;
    ASSERT_TRUE(worker.StartWorker());
    ASSERT_TRUE(worker.WaitForEvents(1));
    while (!worker.inRefresh.load())
        Sleep(1);
    const std::size_t before = worker.Events().size();
    const DWORD queued = GetTickCount();
    worker.commands.QueueCommand(CMD_CHECK_FIRMWARE);
    ASSERT_TRUE(worker.WaitForEvents(before + 1));
    EXPECT_EQ(worker.Events()[before], "4");
    EXPECT_LT(GetTickCount() - queued, 1100u);
}

} // namespace
