#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayIds.h"

#include "SimulatedDisplays.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

using DisplaySim::kReportRead;
using DisplaySim::kReportSent;

class HidManager : public SimulatedDisplays {
protected:
    // What the rescan does.
    void Scan(CHidDeviceManager& manager)
    {
        manager.ClearFilters();
        manager.AddFilter(kDisplayVendorId, kDisplayProductId);
        manager.CloseAll();
        manager.OpenMatching();
        manager.SetReady();
    }
    static std::vector<std::uint8_t> Report(std::initializer_list<std::uint8_t> head)
    {
        std::vector<std::uint8_t> report(64, 0);
        std::copy(head.begin(), head.end(), report.begin());
        return report;
    }
};

TEST_F(HidManager, TwoDisplaysAreOpenedListedInScanOrderAndCounted)
{
    AddDisplays(2);
    CHidDeviceManager manager;
    Scan(manager);
    ASSERT_EQ(manager.DisplayCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const HidDisplay* display = manager.Display(i);
        ASSERT_NE(display, nullptr);
        EXPECT_EQ(display->Position(), i);
        EXPECT_EQ(display->VendorId(), 0x1A2C);
        EXPECT_EQ(display->ProductId(), 0x4E84);
        EXPECT_EQ(display->Path(), DisplayInterface(i + 1).path);
        EXPECT_EQ(display->ProductString(), L"K9X Thermal Display");
        EXPECT_EQ(DisplayInterface(i + 1).openHandles, 1u);
    }
}

TEST_F(HidManager, OfADeviceWithSeveralCollectionsOnlyTheDisplayCollectionIsListed)
{
    DisplaySim::DisplayOptions options;
    options.extraCollections = 3; // 0xFF01/2, 0x000C/1, 0xFF00/1
    AddDisplays(1, options);
    CHidDeviceManager manager;
    Scan(manager);
    EXPECT_EQ(manager.DisplayCount(), 1);
    for (const DisplaySim::InterfaceSlot& slot : InterfacesOf(1)) {
        const bool isDisplay = slot.usagePage == 0xFF01 && slot.usage == 1;
        EXPECT_EQ(slot.opens, 1u) << slot.path;
        EXPECT_EQ(slot.openHandles, isDisplay ? 1u : 0u) << slot.path;
    }
}

TEST_F(HidManager, ADeviceWithTheIdsButWithoutTheCollectionIsOpenedClosedAndNotListed)
{
    DisplaySim::DisplayOptions options;
    options.displayCollection = false;
    options.extraCollections = 2;
    AddDisplays(1, options);
    CHidDeviceManager manager;
    Scan(manager);
    EXPECT_EQ(manager.DisplayCount(), 0);
    for (const DisplaySim::InterfaceSlot& slot : InterfacesOf(1)) {
        EXPECT_EQ(slot.opens, 1u);
        EXPECT_EQ(slot.closes, 1u);
    }
}

TEST_F(HidManager, OtherDevicesAreNotOpened)
{
    DisplaySim::DisplayOptions other;
    other.vendorId = 0x046D;
    AddDisplays(1, other);
    CHidDeviceManager manager;
    Scan(manager);
    EXPECT_EQ(manager.DisplayCount(), 0);
    EXPECT_EQ(InterfacesOf(1)[0].opens, 0u);
}

TEST_F(HidManager, AProductStringThatCannotBeReadLeavesTheDisplayListedWithAnEmptyName)
{
    AddDisplays(1);
    sim.SetFault(1, DisplaySim::Fault::ProductString, true);
    CHidDeviceManager manager;
    Scan(manager);
    ASSERT_EQ(manager.DisplayCount(), 1);
    EXPECT_EQ(manager.Display(0)->ProductString(), L"");
}

TEST_F(HidManager, AnInterfaceThatCannotBeOpenedIsSkipped)
{
    AddDisplays(2);
    sim.SetFault(1, DisplaySim::Fault::Open, true);
    CHidDeviceManager manager;
    Scan(manager);
    ASSERT_EQ(manager.DisplayCount(), 1);
    EXPECT_EQ(manager.Display(0)->Path(), DisplayInterface(2).path);
    EXPECT_EQ(manager.Display(0)->Position(), 0);
}

TEST_F(HidManager, CloseAllBeforeTheFirstCompletedScanDoesNothing)
{
    AddDisplays(1);
    CHidDeviceManager fresh;
    fresh.CloseAll();
    EXPECT_EQ(fresh.DisplayCount(), 0);
    EXPECT_FALSE(fresh.IsReady());

    CHidDeviceManager manager;
    manager.AddFilter(kDisplayVendorId, kDisplayProductId);
    manager.OpenMatching(); // scanned, but not marked ready
    manager.CloseAll();
    EXPECT_EQ(manager.DisplayCount(), 1);
    EXPECT_EQ(DisplayInterface(1).closes, 0u);

    manager.SetReady();
    manager.CloseAll();
    EXPECT_EQ(manager.DisplayCount(), 0);
    EXPECT_FALSE(manager.IsReady());
    EXPECT_EQ(DisplayInterface(1).closes, 1u);
    EXPECT_EQ(DisplayInterface(1).openHandles, 0u);
}

TEST_F(HidManager, ARescanClosesThePreviousDisplaysFirst)
{
    AddDisplays(1);
    CHidDeviceManager manager;
    Scan(manager);
    Scan(manager);
    EXPECT_EQ(manager.DisplayCount(), 1);
    EXPECT_EQ(DisplayInterface(1).opens, 2u);
    EXPECT_EQ(DisplayInterface(1).openHandles, 1u);
}

TEST_F(HidManager, EveryDisplayGetsTheSame65ByteFeatureReport)
{
    AddDisplays(2);
    CHidDeviceManager manager;
    Scan(manager);
    const std::vector<std::uint8_t> report = Report({7, 4, 5, 1, 2, 3, 4});
    EXPECT_TRUE(manager.SendFeatureToAll(report.data()));
    const std::vector<DisplaySim::LogEntry> sent = Reports(kReportSent);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(DisplayOfSlot(sent[0].slot), 1u);
    EXPECT_EQ(DisplayOfSlot(sent[1].slot), 2u);
    for (const DisplaySim::LogEntry& entry : sent) {
        EXPECT_EQ(entry.length, 65u);
        EXPECT_EQ(entry.result, 65);
        EXPECT_TRUE(std::equal(report.begin(), report.end(), entry.bytes));
        EXPECT_EQ(entry.bytes[64], 0);
    }
}

TEST_F(HidManager, SendingIsRefusedBeforeAScanAndSucceedsOnAnEmptyList)
{
    CHidDeviceManager manager;
    const std::vector<std::uint8_t> report = Report({7, 1, 2});
    EXPECT_FALSE(manager.SendFeatureToAll(report.data()));
    Scan(manager);
    EXPECT_TRUE(manager.SendFeatureToAll(report.data()));
    int version = -1;
    EXPECT_FALSE(manager.QueryFirmwareVersion(version));
    EXPECT_EQ(version, -1);
    EXPECT_TRUE(sim.LogSince(0).empty());
}

TEST_F(HidManager, AFailingDisplayDoesNotKeepTheOthersFromTheirReport)
{
    AddDisplays(2);
    CHidDeviceManager manager;
    Scan(manager);
    sim.SetFault(1, DisplaySim::Fault::Sends, true);
    EXPECT_TRUE(manager.SendFeatureToAll(Report({7, 2, 2}).data()));
    const std::vector<DisplaySim::LogEntry> sent = Reports(kReportSent);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].result, -1);
    EXPECT_EQ(sent[1].result, 65);
    EXPECT_EQ(manager.DisplayCount(), 2);
}

TEST_F(HidManager, AnUnpluggedDisplayStaysListedUntilTheNextRescan)
{
    AddDisplays(2);
    CHidDeviceManager manager;
    Scan(manager);
    sim.SetPresent(2, false);
    EXPECT_TRUE(manager.SendFeatureToAll(Report({7, 3, 3}).data()));
    EXPECT_EQ(manager.DisplayCount(), 2);
    EXPECT_EQ(Reports(kReportSent).back().result, -1);
    Scan(manager);
    EXPECT_EQ(manager.DisplayCount(), 1);
    sim.SetPresent(2, true);
    Scan(manager);
    EXPECT_EQ(manager.DisplayCount(), 2);
}

TEST_F(HidManager, TheFirstDisplayReportsItsFirmwareVersion)
{
    DisplaySim::DisplayOptions first;
    first.firmwareVersion = 0x0123;
    AddDisplays(1, first);
    DisplaySim::DisplayOptions second;
    second.firmwareVersion = 0x0200;
    AddDisplays(1, second);
    CHidDeviceManager manager;
    Scan(manager);
    int version = -1;
    ASSERT_TRUE(manager.QueryFirmwareVersion(version));
    EXPECT_EQ(version, 0x0123);
    EXPECT_EQ(version, 291);
    // The request: 64 bytes, 07 FD and zeros; the reply read with report id 7.
    const std::vector<DisplaySim::LogEntry> sent = Reports(kReportSent);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(DisplayOfSlot(sent[0].slot), 1u);
    EXPECT_EQ(sent[0].length, 64u);
    EXPECT_EQ(sent[0].bytes[0], 0x07);
    EXPECT_EQ(sent[0].bytes[1], 0xFD);
    EXPECT_TRUE(std::all_of(sent[0].bytes + 2, sent[0].bytes + 64, [](std::uint8_t b) { return b == 0; }));
    const std::vector<DisplaySim::LogEntry> read = Reports(kReportRead);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].length, 64u);
    EXPECT_EQ(read[0].bytes[0], 0x07);
    EXPECT_EQ(read[0].bytes[1], 0x01);
    EXPECT_EQ(read[0].bytes[2], 0x23);
}

TEST_F(HidManager, AReplyWithoutTheReportIdIsReadOnceMore)
{
    AddDisplays(1);
    sim.SetFirmwareVersion(1, 0x0105, 1);
    CHidDeviceManager manager;
    Scan(manager);
    int version = -1;
    ASSERT_TRUE(manager.QueryFirmwareVersion(version));
    EXPECT_EQ(version, 0x0105);
    EXPECT_EQ(Reports(kReportRead).size(), 2u);
}

TEST_F(HidManager, AFailedVersionQueryLeavesTheVersionUntouched)
{
    AddDisplays(1);
    CHidDeviceManager manager;
    Scan(manager);
    for (DisplaySim::Fault fault : {DisplaySim::Fault::Reads, DisplaySim::Fault::Sends}) {
        sim.SetFault(1, fault, true);
        int version = -1;
        EXPECT_FALSE(manager.QueryFirmwareVersion(version));
        EXPECT_EQ(version, -1);
        sim.SetFault(1, fault, false);
    }
}

TEST(HidManagerInstance, ThreadsArrivingTogetherGetTheSameManager)
{
    std::atomic<bool> go{false};
    std::vector<CHidDeviceManager*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&, i] {
            while (!go.load()) { }
            seen[i] = &CHidDeviceManager::Instance();
        });
    go.store(true);
    for (std::thread& thread : threads)
        thread.join();
    for (CHidDeviceManager* manager : seen)
        EXPECT_EQ(manager, seen[0]);
}

} // namespace
