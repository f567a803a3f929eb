#pragma once

// The program's core loop without its window: a hidden top-level window
// stands where the main window will be and wires the core units together the
// way the main window does (settings, autostart task, companion, instance
// property, device notifications, worker with its start-up commands,
// watchdog), printing what happens. The update checks are not part of it;
// their commands only report that they ran.
#include "app/core/CThreadBasic.h"
#include "app/core/CommandList.h"
#include "app/core/WorkerDispatch.h"
#include "app/device/SensorMapping.h"
#include "app/device/SensorWatchdog.h"

#include <windows.h>

struct CoreHarnessOptions {
    int seconds = 0; // 0: until the window is closed or Ctrl+C
    bool quiet = false; // no line per refresh
};

class CoreHarness : public CThreadBasic, private WorkerCommandHandler {
public:
    static CoreHarnessOptions options;

    CoreHarness() = default;
    ~CoreHarness() override;

    // Creates the window, runs the start-up steps and the message loop.
    int RunModal();
    // Stops the worker (waiting until it has left its last cycle) and
    // destroys the window.
    void StopWorker();

private:
    void Run() override { DispatchWorkerCycle(m_commands, *this); }

    void RefreshDisplay() override;
    void RescanDevices() override;
    void CheckSoftware(bool quiet) override;
    void CheckFirmware(bool quiet) override;
    void UpdateSoftware() override;
    void UpdateFirmware() override;

    void InitCore();
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND m_window = nullptr;
    CommandList m_commands;
    SensorMapping m_sensor;
    SensorWatchdog m_watchdog;
    int m_lastTemperature = -1;
    int m_lastFan = -1;
};
