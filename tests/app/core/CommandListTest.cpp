#include "app/core/CommandCodes.h"
#include "app/core/CommandList.h"
#include "app/core/WorkerDispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(CommandList, TakesCodesInTheOrderTheyWereAppendedWithoutMergingEqualOnes)
{
    CommandList list;
    for (int code : {5, 1, 1, 6})
        list.QueueCommand(code);
    std::vector<int> taken;
    int code = 0;
    while (list.TakeCommand(code))
        taken.push_back(code);
    EXPECT_EQ(taken, (std::vector<int>{5, 1, 1, 6}));
    EXPECT_EQ(list.Size(), 0u);
}

TEST(CommandList, AppendsFromTwoThreadsKeepEachThreadsOrder)
{
    CommandList list;
    constexpr int kEach = 5000;
    auto append = [&list](int base) {
        for (int i = 0; i < kEach; ++i)
            list.QueueCommand(base + i);
    };
    std::thread first(append, 0);
    std::thread second(append, 100000);
    std::vector<int> taken;
    int code = 0;
    while (taken.size() < 2 * kEach) {
        if (list.TakeCommand(code))
            taken.push_back(code);
    }
    first.join();
    second.join();
    int nextLow = 0, nextHigh = 100000;
    for (int value : taken) {
        if (value < 100000)
            ASSERT_EQ(value, nextLow++);
        else
            ASSERT_EQ(value, nextHigh++);
    }
    EXPECT_EQ(nextLow, kEach);
    EXPECT_EQ(nextHigh, 100000 + kEach);
}

class RecordingHandler : public WorkerCommandHandler {
public:
    void RefreshDisplay() override { calls.push_back("refresh"); }
    void RescanDevices() override { calls.push_back("rescan"); }
    void CheckSoftware(bool quiet) override { calls.push_back(quiet ? "software quiet" : "software"); }
    void CheckFirmware(bool quiet) override { calls.push_back(quiet ? "firmware quiet" : "firmware"); }
    void UpdateSoftware() override { calls.push_back("update software"); }
    void UpdateFirmware() override { calls.push_back("update firmware"); }
    std::vector<std::string> calls;
};

TEST(WorkerDispatch, RunsOneCommandPerCycleAndRefreshesOnlyWhenNoneWaits)
{
    CommandList list;
    RecordingHandler handler;
    for (int code : {CMD_RESCAN, CMD_CHECK_SOFTWARE, CMD_CHECK_FIRMWARE, CMD_CHECK_SOFTWARE_QUIET,
             CMD_CHECK_FIRMWARE_QUIET, CMD_UPDATE_SOFTWARE, CMD_UPDATE_FIRMWARE})
        list.QueueCommand(code);
    for (int cycle = 0; cycle < 8; ++cycle)
        DispatchWorkerCycle(list, handler);
    EXPECT_EQ(handler.calls,
        (std::vector<std::string>{"rescan", "software", "firmware", "software quiet", "firmware quiet",
            "update software", "update firmware", "refresh"}));
}

TEST(WorkerDispatch, CodesWithoutAHandlerAreTakenAndDropped)
{
    CommandList list;
    RecordingHandler handler;
    for (int code : {0, 2, 9, -1})
        list.QueueCommand(code);
    for (int expected : {0, 2, 9, -1})
        EXPECT_EQ(DispatchWorkerCycle(list, handler), expected);
    EXPECT_TRUE(handler.calls.empty());
    EXPECT_EQ(list.Size(), 0u);
}

TEST(WorkerDispatch, StartupCommandsAreQuietSoftwareRescanQuietFirmware)
{
    CommandList list;
    QueueStartupCommands(list);
    std::vector<int> taken;
    int code = 0;
    while (list.TakeCommand(code))
        taken.push_back(code);
    EXPECT_EQ(taken, (std::vector<int>{5, 1, 6}));
}

} // namespace
