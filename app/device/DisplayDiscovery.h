#pragma once

#include <windows.h>
#include <dbt.h>

class CHidDeviceManager;
class CommandList;
class SensorMapping;

// Whether the interface at `path` is the display collection (the probe of a
// newly arrived interface, on the window thread).
using DisplayProbe = bool (*)(const wchar_t* path);

// Opens the interface and reads its HID capabilities: true for usage page
// 0xFF01 with usage 1.
bool ProbeDisplayInterface(const wchar_t* path);

// Registers `window` for arrival and removal notifications of USB device,
// disk, HID and network interfaces. Failures are ignored; returns how many
// registrations succeeded. The registrations last as long as the window.
int RegisterDisplayNotifications(HWND window);

// The main window's WM_DEVICECHANGE handling: arrivals and removals of device
// interfaces go to OnDeviceInterfaceChange. Every WM_DEVICECHANGE is answered
// with 0 and not passed on.
LRESULT OnDeviceChange(WPARAM event, LPARAM data, CommandList& commands, DisplayProbe probe = ProbeDisplayInterface);

// Queues CMD_RESCAN when the interface path carries the display's ids (any
// letter case): once for every arrival or removal, and once more first when
// an arriving interface is the display collection.
void OnDeviceInterfaceChange(const DEV_BROADCAST_DEVICEINTERFACE_W* broadcast, WPARAM event, CommandList& commands,
    DisplayProbe probe = ProbeDisplayInterface);

// The worker's CMD_RESCAN: reopens the displays that are present now and, while
// the sensor record is not mapped yet, maps it.
void RescanDevices(CHidDeviceManager& displays, SensorMapping& sensor);
