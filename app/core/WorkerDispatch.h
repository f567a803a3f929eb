#pragma once

class CommandList;

// What the worker does for each command, supplied by the main window. Every
// method runs on the worker thread.
class WorkerCommandHandler {
public:
    // The periodic refresh, run whenever no command is waiting.
    virtual void RefreshDisplay() = 0;
    // CMD_RESCAN.
    virtual void RescanDevices() = 0;
    // CMD_CHECK_SOFTWARE (quiet false) and CMD_CHECK_SOFTWARE_QUIET (quiet true).
    virtual void CheckSoftware(bool quiet) = 0;
    // CMD_CHECK_FIRMWARE and CMD_CHECK_FIRMWARE_QUIET.
    virtual void CheckFirmware(bool quiet) = 0;
    // CMD_UPDATE_SOFTWARE.
    virtual void UpdateSoftware() = 0;
    // CMD_UPDATE_FIRMWARE.
    virtual void UpdateFirmware() = 0;

protected:
    ~WorkerCommandHandler() = default;
};

// The start-up commands, in this order: the quiet software check, the first
// rescan (which also maps the sensor record) and the quiet firmware check.
void QueueStartupCommands(CommandList& commands);

// One worker cycle (the main window's Run): the first waiting command, or the
// refresh when none waits. A code without a handler is taken and dropped.
// Returns the code that was taken, or 0 when the refresh ran.
int DispatchWorkerCycle(CommandList& commands, WorkerCommandHandler& handler);
