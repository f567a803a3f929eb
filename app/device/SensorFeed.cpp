#include "app/device/SensorFeed.h"

#include "app/core/ModuleDir.h"
#include "app/device/CompanionPath.h"

#include <cstdio>

namespace {

// The probe's messages, stored in the GBK code page.
constexpr char kCannotLoadNtdll[] = "\xCE\xDE\xB7\xA8\xBC\xD3\xD4\xD8 ntdll.dll";
constexpr char kCannotFindVersionFunction[]
    = "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1 RtlGetNtVersionNumbers \xBA\xAF\xCA\xFD\xB5\xC4\xB5\xD8\xD6\xB7";

using VersionNumbersFunction = void(WINAPI*)(DWORD* major, DWORD* minor, DWORD* build);

void WriteLine(const char* text)
{
    std::fputs(text, stderr);
    std::fputs("\n", stderr);
}

} // namespace

bool IsWin10OrLater() { return IsWin10OrLater(L"ntdll.dll", "RtlGetNtVersionNumbers"); }

bool IsWin10OrLater(const wchar_t* library, const char* function)
{
    HMODULE module = LoadLibraryW(library);
    if (!module) {
        WriteLine(kCannotLoadNtdll);
        return false;
    }
    // Through void* because FARPROC's type differs from the function's.
    auto getVersion
        = reinterpret_cast<VersionNumbersFunction>(reinterpret_cast<void*>(GetProcAddress(module, function)));
    if (!getVersion) {
        WriteLine(kCannotFindVersionFunction);
        FreeLibrary(module);
        return false;
    }
    DWORD major = 0, minor = 0, build = 0;
    getVersion(&major, &minor, &build);
    FreeLibrary(module);
    return major >= 10;
}

void StartHardwareMonitor() { StartCompanionProcess(HardwareMonitorPath(GetModuleDir(), IsWin10OrLater())); }

bool StartCompanionProcess(const std::wstring& path)
{
    std::wstring commandLine = path; // CreateProcessW may write into it
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // The path is the application name too: without it, a folder name with a
    // blank would make the system try the shorter prefixes first (such as
    // C:\Program.exe) and run whatever it finds there, elevated. The
    // companion still receives the bare, unquoted path as its command line.
    if (!CreateProcessW(
            path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool MapSensorMemory(HANDLE& mapping, const SensorRecord*& view, bool& createdNew)
{
    HANDLE created = CreateFileMappingA(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(kSensorRecordSize), kSensorMappingName);
    if (!created)
        return false;
    createdNew = GetLastError() != ERROR_ALREADY_EXISTS;
    void* mapped = MapViewOfFile(created, FILE_MAP_READ, 0, 0, kSensorRecordSize);
    if (!mapped) {
        // Not kept: the next rescan tries again with a fresh handle.
        CloseHandle(created);
        return false;
    }
    mapping = created;
    view = static_cast<const SensorRecord*>(mapped);
    return true;
}

void StartSensorWatchdog(HWND window, UINT periodMs) { SetTimer(window, kSensorWatchdogTimerId, periodMs, nullptr); }

void OnSensorWatchdogTimer(HWND window, SensorWatchdog& watchdog, const SensorRecord* record, void (*startCompanion)())
{
    const float liveness = record ? LoadSensorFloat(record->liveness) : 0.0f;
    const WatchdogStep step = watchdog.Tick(record != nullptr, liveness);
    if (step.startCompanion && startCompanion)
        startCompanion();
    if (step.stopTimer)
        KillTimer(window, kSensorWatchdogTimerId);
}
