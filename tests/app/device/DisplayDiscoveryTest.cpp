#include "app/core/CommandCodes.h"
#include "app/core/CommandList.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayDiscovery.h"
#include "app/device/SensorMapping.h"

#include "SimulatedDisplays.h"
#include "TestProcess.h"

#include <cstddef>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kHidPath[]
    = L"\\\\?\\hid#vid_1a2c&pid_4e84&mi_00&col01#8&2f5e1c0a&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr wchar_t kUsbPath[] = L"\\\\?\\usb#vid_1a2c&pid_4e84#SIM0001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// A device-interface broadcast as the system sends it.
class Broadcast {
public:
    explicit Broadcast(const std::wstring& path)
        : m_bytes(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t))
    {
        auto* b = Get();
        b->dbcc_size = static_cast<DWORD>(m_bytes.size());
        b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        std::wmemcpy(b->dbcc_name, path.c_str(), path.size() + 1);
    }
    DEV_BROADCAST_DEVICEINTERFACE_W* Get()
    {
        return reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(m_bytes.data());
    }
    LPARAM Param() { return reinterpret_cast<LPARAM>(m_bytes.data()); }

private:
    std::vector<unsigned char> m_bytes;
};

std::vector<std::wstring> g_probed;
bool ProbeSaysDisplay(const wchar_t* path)
{
    g_probed.push_back(path);
    return true;
}
bool ProbeSaysOther(const wchar_t* path)
{
    g_probed.push_back(path);
    return false;
}

std::vector<int> Drain(CommandList& commands)
{
    std::vector<int> codes;
    int code = 0;
    while (commands.TakeCommand(code))
        codes.push_back(code);
    return codes;
}

class Notifications : public testing::Test {
protected:
    void SetUp() override { g_probed.clear(); }
    CommandList commands;
};

TEST_F(Notifications, ArrivalOfTheDisplayCollectionQueuesTwoRescansAndProbesThePathAsReceived)
{
    Broadcast arrival(kHidPath);
    OnDeviceInterfaceChange(arrival.Get(), DBT_DEVICEARRIVAL, commands, ProbeSaysDisplay);
    EXPECT_EQ(Drain(commands), (std::vector<int>{CMD_RESCAN, CMD_RESCAN}));
    EXPECT_EQ(g_probed, std::vector<std::wstring>{kHidPath});
}

TEST_F(Notifications, ArrivalOfAnotherMatchingInterfaceQueuesOneRescan)
{
    Broadcast arrival(kUsbPath);
    OnDeviceInterfaceChange(arrival.Get(), DBT_DEVICEARRIVAL, commands, ProbeSaysOther);
    EXPECT_EQ(Drain(commands), std::vector<int>{CMD_RESCAN});
}

TEST_F(Notifications, ARemovalQueuesOneRescanWithoutProbing)
{
    Broadcast removal(kHidPath);
    OnDeviceInterfaceChange(removal.Get(), DBT_DEVICEREMOVECOMPLETE, commands, ProbeSaysDisplay);
    EXPECT_EQ(Drain(commands), std::vector<int>{CMD_RESCAN});
    EXPECT_TRUE(g_probed.empty());
}

TEST_F(Notifications, IdsInAnyLetterCaseMatch)
{
    for (const wchar_t* path :
        {L"\\\\?\\HID#VID_1A2C&PID_4E84&COL01#1", L"\\\\?\\hid#Vid_1a2C&pId_4e84#2", L"x vid_1a2c&pid_4e84 y"}) {
        Broadcast removal(path);
        OnDeviceInterfaceChange(removal.Get(), DBT_DEVICEREMOVECOMPLETE, commands, ProbeSaysOther);
    }
    EXPECT_EQ(Drain(commands).size(), 3u);
}

TEST_F(Notifications, InterfacesWithoutTheDisplaysIdsChangeNothing)
{
    for (const wchar_t* path : {L"\\\\?\\STORAGE#Volume#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}",
             L"\\\\?\\hid#vid_046d&pid_c52b&col01#1", L"\\\\?\\hid#vid_1a2c&pid_4e85#1", L""}) {
        Broadcast arrival(path);
        OnDeviceInterfaceChange(arrival.Get(), DBT_DEVICEARRIVAL, commands, ProbeSaysDisplay);
    }
    OnDeviceInterfaceChange(nullptr, DBT_DEVICEARRIVAL, commands, ProbeSaysDisplay);
    EXPECT_TRUE(Drain(commands).empty());
    EXPECT_TRUE(g_probed.empty());
}

TEST_F(Notifications, ThePathIsReadNoFurtherThanTheBroadcastsSize)
{
    Broadcast arrival(kHidPath);
    // A size that cuts the name before the ids.
    arrival.Get()->dbcc_size = static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + 10);
    OnDeviceInterfaceChange(arrival.Get(), DBT_DEVICEARRIVAL, commands, ProbeSaysDisplay);
    EXPECT_TRUE(Drain(commands).empty());
}

struct EventCase {
    WPARAM event;
    std::size_t rescans;
};

class DeviceChangeEvents : public Notifications, public testing::WithParamInterface<EventCase> { };

TEST_P(DeviceChangeEvents, AreAnsweredWithZero)
{
    Broadcast broadcast(kUsbPath);
    EXPECT_EQ(OnDeviceChange(GetParam().event, broadcast.Param(), commands, ProbeSaysOther), 0);
    EXPECT_EQ(Drain(commands).size(), GetParam().rescans);
}

INSTANTIATE_TEST_SUITE_P(Events, DeviceChangeEvents,
    testing::Values(EventCase{DBT_DEVICEARRIVAL, 1}, EventCase{DBT_DEVICEREMOVECOMPLETE, 1},
        EventCase{DBT_DEVICEQUERYREMOVE, 0}, EventCase{DBT_DEVICEREMOVEPENDING, 0}, EventCase{DBT_DEVNODES_CHANGED, 0},
        EventCase{DBT_CONFIGCHANGED, 0}, EventCase{DBT_CUSTOMEVENT, 0}),
    [](const testing::TestParamInfo<EventCase>& info) { return "Event" + std::to_string(info.param.event); });

TEST_F(Notifications, OtherBroadcastTypesAndNoBroadcastAreAnsweredWithZero)
{
    Broadcast volume(kUsbPath);
    volume.Get()->dbcc_devicetype = DBT_DEVTYP_VOLUME;
    EXPECT_EQ(OnDeviceChange(DBT_DEVICEARRIVAL, volume.Param(), commands, ProbeSaysDisplay), 0);
    EXPECT_EQ(OnDeviceChange(DBT_DEVICEARRIVAL, 0, commands, ProbeSaysDisplay), 0);
    EXPECT_TRUE(Drain(commands).empty());
}

TEST(ProbeDisplayInterface, IsFalseForWhatIsNotTheDisplayCollection)
{
    // Not there at all.
    EXPECT_FALSE(ProbeDisplayInterface(
        L"\\\\?\\hid#vid_1a2c&pid_4e84&col01#no-such-device#{4d1e55b2-f16f-11cf-88cb-001111000030}"));
    // Opens, but is no HID device: the preparsed data cannot be had.
    const std::wstring folder = TestProcess::NewTempFolder(L"thermadex-probe");
    const std::wstring file = folder + L"not-a-device.bin";
    HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    EXPECT_FALSE(ProbeDisplayInterface(file.c_str()));
    TestProcess::RemoveTree(folder);
}

// A top-level window carrying the instance property, handling WM_DEVICECHANGE
// as the main window does (with the real probe).
class NotifiedWindow {
public:
    NotifiedWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"DisplayDiscoveryTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
            GetModuleHandleW(nullptr), nullptr);
        SetPropW(window, L"Orvane", reinterpret_cast<HANDLE>(1));
    }
    ~NotifiedWindow()
    {
        RemovePropW(window, L"Orvane");
        DestroyWindow(window);
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message == WM_DEVICECHANGE)
            return OnDeviceChange(wparam, lparam, queued);
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    HWND window = nullptr;
    static inline CommandList queued;
};

TEST(DeviceNotifications, TheWindowRegistersForAllFourInterfaceClasses)
{
    NotifiedWindow notified;
    EXPECT_EQ(RegisterDisplayNotifications(notified.window), 4);
}

TEST(DeviceNotifications, AWindowMessageQueuesRescansAndIsAnsweredWithZero)
{
    NotifiedWindow notified;
    Drain(NotifiedWindow::queued);
    Broadcast arrival(kHidPath);
    // The real probe cannot open a simulated path, so one rescan.
    EXPECT_EQ(SendMessageW(notified.window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, arrival.Param()), 0);
    EXPECT_EQ(Drain(NotifiedWindow::queued), std::vector<int>{CMD_RESCAN});
}

class DiscoveryWithDisplays : public SimulatedDisplays { };

// The display simulator's control program tells the program's window, from
// another process, as the system would: the USB device interface and the HID
// interface of the unplugged display leave.
TEST_F(DiscoveryWithDisplays, AnUnplugFromAnotherProcessReachesTheWindow)
{
    AddDisplays(1);
    NotifiedWindow notified;
    Drain(NotifiedWindow::queued);
    HANDLE control = TestProcess::Start(L"\"" + TestProcess::BinDir() + L"DisplaySimulator.exe\" unplug 1");
    ASSERT_NE(control, nullptr);
    // Keep answering messages while the control program sends them.
    while (MsgWaitForMultipleObjects(1, &control, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    DWORD code = 1;
    GetExitCodeProcess(control, &code);
    CloseHandle(control);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Drain(NotifiedWindow::queued), (std::vector<int>{CMD_RESCAN, CMD_RESCAN}));
    EXPECT_FALSE(DisplayInterface(1).present);
}

TEST_F(DiscoveryWithDisplays, ARescanListsTheDisplaysAndMapsTheSensorRecordOnce)
{
    AddDisplays(2);
    CHidDeviceManager manager;
    SensorMapping sensor;
    RescanDevices(manager, sensor);
    EXPECT_TRUE(manager.IsReady());
    EXPECT_EQ(manager.DisplayCount(), 2);
    const SensorRecord* record = sensor.Record();
    ASSERT_NE(record, nullptr);
    sim.SetPresent(1, false);
    RescanDevices(manager, sensor);
    EXPECT_EQ(manager.DisplayCount(), 1);
    EXPECT_EQ(sensor.Record(), record);
}

} // namespace
