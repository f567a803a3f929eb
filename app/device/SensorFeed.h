#pragma once

#include "app/device/SensorRecord.h"
#include "app/device/SensorWatchdog.h"

#include <windows.h>

#include <string>

// True when the Windows major version is 10 or higher, asked of ntdll's
// RtlGetNtVersionNumbers at run time. A failure writes its line to the
// standard error stream and gives false.
bool IsWin10OrLater();
// The same probe with the library and function named, so that its failure
// paths can be exercised.
bool IsWin10OrLater(const wchar_t* library, const char* function);

// Starts one companion sensor process from the folder that suits the Windows
// version. Nothing is kept of it and a failure is not reported.
void StartHardwareMonitor();
// Starts the program at `path` with the bare path as its whole command line;
// true when the process was created.
bool StartCompanionProcess(const std::wstring& path);

// Creates or opens the shared record and maps it read-only. `createdNew` tells
// whether the mapping did not exist before. False when no view came back.
bool MapSensorMemory(HANDLE& mapping, const SensorRecord*& view, bool& createdNew);

// Starts the main window's watchdog timer (id 300).
void StartSensorWatchdog(HWND window, UINT periodMs = kSensorWatchdogPeriodMs);
// One tick of timer 300: starts the companion when the record shows no life
// and kills the timer after the 12th tick. `record` is null while unmapped.
void OnSensorWatchdogTimer(
    HWND window, SensorWatchdog& watchdog, const SensorRecord* record, void (*startCompanion)() = StartHardwareMonitor);
