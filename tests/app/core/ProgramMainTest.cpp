#include "app/core/CThreadBasic.h"
#include "app/core/ProcessLifecycle.h"
#include "app/core/ProgramMain.h"

#include "TestProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

using namespace TestProcess;

std::vector<std::string> g_events;
std::atomic<int> g_cyclesAfterStop{0};
HANDLE g_companion = nullptr;

std::string CompanionState()
{
    // Termination completes shortly after TerminateProcess returns.
    return WaitForSingleObject(g_companion, 1000) == WAIT_OBJECT_0 ? "companion ended" : "companion running";
}

// Stands in for the main window: its modal run lets the worker cycle a
// little, and it notes what it sees at each step of the program's life.
class ProbeDialog : public CThreadBasic {
public:
    ProbeDialog() { g_events.push_back("constructed, " + CompanionState()); }
    ~ProbeDialog() override
    {
        g_events.push_back("destroyed");
        StopThread();
    }
    int RunModal()
    {
        StartWorker();
        Sleep(100);
        g_events.push_back("modal loop returned");
        return 1;
    }
    void StopWorker()
    {
        StopThread();
        m_stopped.store(true);
        g_events.push_back("worker stopped");
    }
    void Run() override
    {
        if (m_stopped.load())
            g_cyclesAfterStop.fetch_add(1);
        PauseWorker(5000); // like a refresh with data, only longer
    }

private:
    std::atomic<bool> m_stopped{false};
};

TEST(RunProgram, StopsTheWorkerThenShutsDownThenDestroysTheDialog)
{
    // A companion left running, as after the tray's Exit.
    const std::wstring folder = NewTempFolder(L"thermadex-main");
    const std::wstring companion = folder + kCompanionExecutable;
    ASSERT_TRUE(CopyInto(BinDir() + L"app_core_test_helper.exe", companion));
    SetEnvironmentVariableW(L"THERMADEX_PROBE_LINGER", L"1");
    g_companion = Start(L"\"" + companion + L"\"");
    SetEnvironmentVariableW(L"THERMADEX_PROBE_LINGER", nullptr);
    ASSERT_TRUE(IsRunning(g_companion));

    const DWORD start = GetTickCount();
    EXPECT_EQ(RunProgram<ProbeDialog>(GetModuleHandleW(nullptr)), 1);
    EXPECT_LT(GetTickCount() - start, 3000u) << "the stop waited for the worker's pause";
    // The start-up ended the stale companion before the dialog existed; the
    // worker was stopped before the dialog went.
    EXPECT_EQ(g_events,
        (std::vector<std::string>{
            "constructed, companion ended", "modal loop returned", "worker stopped", "destroyed"}));
    EXPECT_EQ(g_cyclesAfterStop.load(), 0);

    // The instance mutex stays with this process: a second run is a second instance.
    g_events.clear();
    EXPECT_EQ(RunProgram<ProbeDialog>(GetModuleHandleW(nullptr)), 0);
    EXPECT_TRUE(g_events.empty());
    CloseHandle(g_companion);
    RemoveTree(folder);
}

} // namespace
