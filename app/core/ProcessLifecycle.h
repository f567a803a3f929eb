#pragma once

#include <windows.h>

#include <string>

// The executable name of the companion sensor process.
constexpr wchar_t kCompanionExecutable[] = L"OpenHardwareMonitorServer.exe";

// What the start-up prepared and the shutdown undoes.
struct ProcessPreparation {
    ULONG_PTR gdiplusToken = 0;
    bool dpiAware = false;
};

// The start-up steps after the single-instance check, in order: DPI rule,
// debug privilege, removal of a companion left from an earlier run, GDI+, the
// toolkit's module instance, COM, then OLE.
ProcessPreparation PrepareProcess(HINSTANCE instance);

// The shutdown steps once the main window's modal loop has returned and its
// worker has been stopped, in order: end the companion, COM, OLE, GDI+.
void ShutDownProcess(const ProcessPreparation& preparation);
