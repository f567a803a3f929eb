#include "CoreHarness.h"

#include "app/core/CommandCodes.h"
#include "app/core/ModuleDir.h"
#include "app/core/SettingsStore.h"
#include "app/core/SingleInstance.h"
#include "app/core/StartupTask.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/CompanionPath.h"
#include "app/device/DisplayDiscovery.h"
#include "app/device/RefreshDisplay.h"
#include "app/device/SensorFeed.h"
#include "lumo/Manager.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

CoreHarnessOptions CoreHarness::options;

namespace {

constexpr wchar_t kWindowClass[] = L"ThermadexCoreHarness";
constexpr UINT_PTR kEndTimerId = 1;

HWND g_window = nullptr;

// Both threads print; each line goes out whole and at once.
void Log(const char* format, ...)
{
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

BOOL WINAPI OnConsoleControl(DWORD)
{
    if (g_window)
        PostMessageW(g_window, WM_CLOSE, 0, 0);
    return TRUE;
}

const char* EventName(WPARAM event)
{
    switch (event) {
    case DBT_DEVICEARRIVAL:
        return "arrival";
    case DBT_DEVICEREMOVECOMPLETE:
        return "removal";
    default:
        return "other event";
    }
}

} // namespace

CoreHarness::~CoreHarness() { StopWorker(); }

int CoreHarness::RunModal()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"ORVANE", WS_POPUP, 0, 0, 340, 250, nullptr, nullptr,
        GetModuleHandleW(nullptr), this);
    if (!m_window) {
        Log("[core] the window could not be created");
        return 0;
    }
    g_window = m_window;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    InitCore();
    if (options.seconds > 0)
        SetTimer(m_window, kEndTimerId, static_cast<UINT>(options.seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 1;
}

// The main window's initialisation, in its order.
void CoreHarness::InitCore()
{
    const ProgramSettings settings = ReadProgramSettings();
    Log("[core] settings: led_switch=%d device_type=%d tempe_type=%d", settings.ledSwitch, settings.deviceType,
        settings.tempeType);
    Log("[core] autostart task: %s", RegisterStartupTask() == 0 ? "built" : "not built (see the line above)");
    StartHardwareMonitor();
    Log("[core] companion started: %ls", HardwareMonitorPath(GetModuleDir(), IsWin10OrLater()).c_str());
    SetPropW(m_window, kInstanceName, reinterpret_cast<HANDLE>(1));
    Log("[core] device notifications: %d of 4 registered", RegisterDisplayNotifications(m_window));
    QueueStartupCommands(m_commands);
    StartWorker();
    StartSensorWatchdog(m_window);
    Log("[core] worker started; queued 5, 1, 6");
}

void CoreHarness::StopWorker()
{
    const bool wasRunning = IsRunning();
    StopThread();
    if (wasRunning)
        Log("[core] worker stopped");
    if (m_window) {
        RemovePropW(m_window, kInstanceName);
        DestroyWindow(m_window);
        m_window = nullptr;
        g_window = nullptr;
    }
}

LRESULT CALLBACK CoreHarness::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* harness = reinterpret_cast<CoreHarness*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (harness && harness->m_window == window)
        return harness->OnMessage(message, wparam, lparam);
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CoreHarness::OnMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_DEVICECHANGE: {
        const std::size_t before = m_commands.Size();
        const LRESULT result = OnDeviceChange(wparam, lparam, m_commands);
        Log("[core] device %s: %zu rescan(s) queued", EventName(wparam), m_commands.Size() - before);
        return result;
    }
    case WM_TIMER:
        if (wparam == kSensorWatchdogTimerId) {
            const bool alive = m_sensor.Record() && LoadSensorFloat(m_sensor.Record()->liveness) > 0.0f;
            OnSensorWatchdogTimer(m_window, m_watchdog, m_sensor.Record());
            Log("[core] watchdog tick %d: %s", m_watchdog.Ticks(),
                alive ? "companion publishes" : "companion restarted");
        } else if (wparam == kEndTimerId) {
            PostMessageW(m_window, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_CLOSE:
        // Like the end of the main window's modal loop.
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(m_window, message, wparam, lparam);
    }
}

void CoreHarness::RefreshDisplay()
{
    CHidDeviceManager& displays = CHidDeviceManager::Instance();
    const RefreshResult result = ::RefreshDisplay(m_sensor.Record(), m_window, *this, displays);
    if (result != RefreshResult::Refreshed || options.quiet)
        return;
    // What the window's overlay would paint.
    const int temperature = static_cast<int>(Lumo::Manager::GetCPUTemp());
    const int fan = static_cast<int>(Lumo::Manager::GetRPMTemp());
    if (temperature != m_lastTemperature || fan != m_lastFan) {
        Log("[worker] refresh: %d C %d rpm to %d display(s)", temperature, fan, displays.DisplayCount());
        m_lastTemperature = temperature;
        m_lastFan = fan;
    }
}

void CoreHarness::RescanDevices()
{
    ::RescanDevices(CHidDeviceManager::Instance(), m_sensor);
    Log("[worker] rescan: %d display(s), sensor record %s", CHidDeviceManager::Instance().DisplayCount(),
        m_sensor.Record() ? "mapped" : "not mapped");
}

void CoreHarness::CheckSoftware(bool quiet)
{
    Log("[worker] command %d: software check (the update module is not part of this harness)",
        quiet ? CMD_CHECK_SOFTWARE_QUIET : CMD_CHECK_SOFTWARE);
}

void CoreHarness::CheckFirmware(bool quiet)
{
    int version = -1;
    if (CHidDeviceManager::Instance().QueryFirmwareVersion(version))
        Log("[worker] command %d: firmware version of the first display 0x%04x",
            quiet ? CMD_CHECK_FIRMWARE_QUIET : CMD_CHECK_FIRMWARE, version);
    else
        Log("[worker] command %d: firmware version not available",
            quiet ? CMD_CHECK_FIRMWARE_QUIET : CMD_CHECK_FIRMWARE);
}

void CoreHarness::UpdateSoftware() { Log("[worker] command %d: ignored here", CMD_UPDATE_SOFTWARE); }

void CoreHarness::UpdateFirmware() { Log("[worker] command %d: ignored here", CMD_UPDATE_FIRMWARE); }
