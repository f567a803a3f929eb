// A small program that tests copy around and run as a child process.
//
// Named "OpenHardwareMonitorServer.exe" (a stand-in companion), or started
// without a known mode (a decoy), it appends its own command line to
// "started.txt" in its folder; with THERMADEX_PROBE_LINGER set it then stays
// for 30 seconds. Its modes:
//   start-monitor   StartHardwareMonitor(); exit code 10 on Windows 10 and later, 7 before
//   sleep MS        stay for MS milliseconds
//   dpi             apply the DPI rule; prints "width height decided"
#include "app/core/ModuleDir.h"
#include "app/core/ProcessTools.h"
#include "app/device/SensorFeed.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::wstring OwnName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    return full.substr(full.find_last_of(L'\\') + 1);
}

int RecordStart()
{
    const std::wstring file = GetModuleDir() + L"started.txt";
    if (FILE* out = _wfopen(file.c_str(), L"ab")) {
        const std::wstring line = GetCommandLineW();
        std::fprintf(out, "%ls\n", line.c_str());
        std::fclose(out);
    }
    if (GetEnvironmentVariableW(L"THERMADEX_PROBE_LINGER", nullptr, 0) > 0)
        Sleep(30000);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (_wcsicmp(OwnName().c_str(), L"OpenHardwareMonitorServer.exe") == 0)
        return RecordStart();
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"start-monitor") {
        StartHardwareMonitor();
        return IsWin10OrLater() ? 10 : 7;
    }
    if (mode == L"sleep" && argc > 2) {
        Sleep(static_cast<DWORD>(_wtoi(argv[2])));
        return 0;
    }
    if (mode == L"dpi") {
        const bool decided = ApplyDpiRule();
        std::printf("%d %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), decided ? 1 : 0);
        return 0;
    }
    return RecordStart();
}
