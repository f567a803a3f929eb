#include "app/device/DisplayDiscovery.h"

#include "app/core/CommandCodes.h"
#include "app/core/CommandList.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayIds.h"
#include "app/device/SensorMapping.h"

// MinGW's HID headers declare C functions without extern "C".
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

#include <cstddef>
#include <cwchar>
#include <string>

namespace {

// USB device, disk, HID and network interface classes, in registration order.
constexpr GUID kNotificationClasses[] = {
    {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}},
    {0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},
    {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}},
    {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}},
};

// The interface path of a broadcast, read no further than the broadcast's
// own size says.
std::wstring BroadcastPath(const DEV_BROADCAST_DEVICEINTERFACE_W& broadcast)
{
    constexpr std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (broadcast.dbcc_size <= nameOffset)
        return {};
    const std::size_t room = (broadcast.dbcc_size - nameOffset) / sizeof(wchar_t);
    return std::wstring(broadcast.dbcc_name, wcsnlen(broadcast.dbcc_name, room));
}

bool CarriesDisplayIds(std::wstring path)
{
    if (path.empty())
        return false;
    _wcsupr_s(path.data(), path.size() + 1);
    return path.find(kDisplayPathPattern) != std::wstring::npos;
}

} // namespace

bool ProbeDisplayInterface(const wchar_t* path)
{
    HANDLE device = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    HIDD_ATTRIBUTES attributes = {};
    attributes.Size = sizeof(attributes);
    HidD_GetAttributes(device, &attributes);
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(device, &preparsed)) {
        CloseHandle(device);
        return false;
    }
    HIDP_CAPS caps = {};
    const bool isDisplay = HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS && caps.UsagePage == kDisplayUsagePage
        && caps.Usage == kDisplayUsage;
    HidD_FreePreparsedData(preparsed);
    CloseHandle(device);
    return isDisplay;
}

int RegisterDisplayNotifications(HWND window)
{
    int registered = 0;
    for (const GUID& interfaceClass : kNotificationClasses) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
        filter.dbcc_size = sizeof(filter);
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = interfaceClass;
        if (RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE))
            ++registered;
    }
    return registered;
}

LRESULT OnDeviceChange(WPARAM event, LPARAM data, CommandList& commands, DisplayProbe probe)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if ((event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) && header
        && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
        OnDeviceInterfaceChange(
            reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header), event, commands, probe);
    return 0;
}

void OnDeviceInterfaceChange(
    const DEV_BROADCAST_DEVICEINTERFACE_W* broadcast, WPARAM event, CommandList& commands, DisplayProbe probe)
{
    if (!broadcast)
        return;
    const std::wstring path = BroadcastPath(*broadcast);
    if (!CarriesDisplayIds(path))
        return;
    // The probe gets the path as received, not the upper-cased copy.
    if (event == DBT_DEVICEARRIVAL && probe && probe(path.c_str()))
        commands.QueueCommand(CMD_RESCAN);
    commands.QueueCommand(CMD_RESCAN);
}

void RescanDevices(CHidDeviceManager& displays, SensorMapping& sensor)
{
    displays.ClearFilters();
    displays.AddFilter(kDisplayVendorId, kDisplayProductId);
    displays.CloseAll();
    displays.OpenMatching();
    displays.SetReady();
    sensor.MapIfNeeded();
}
