// Drives a running Thermadex from outside, the way the shell and the user
// would: finds its main window by the "Orvane" property and posts the tray
// callback or a command to it.
//
//   ThermadexCtl show            left press on the tray icon (shows the window)
//   ThermadexCtl menu            right release on the tray icon (opens the menu)
//   ThermadexCtl command ID      WM_COMMAND with identifier ID (100 Exit, 101/102 checks)
//   ThermadexCtl close           posts WM_CLOSE (ends the modal loop: normal shutdown)
//   ThermadexCtl wait SECONDS    waits until the main window exists
//   ThermadexCtl stats           prints the instance's CPU time (ms) and peak working set (KiB)
// Exit code 0 on success, 1 when no running instance was found.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kTrayNotify = 1690;
constexpr UINT kTrayIconId = 109;

HWND FindMainWindow()
{
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window && IsWindow(window);
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetPropW(window, L"Orvane"))
            return window;
    }
    return nullptr;
}

HWND WaitForMainWindow(int seconds)
{
    const DWORD start = GetTickCount();
    do {
        if (HWND window = FindMainWindow())
            return window;
        Sleep(50);
    } while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000);
    return nullptr;
}

int PrintStats(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return 1;
    FILETIME created, exited, kernel, user;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    const bool ok = GetProcessTimes(process, &created, &exited, &kernel, &user)
        && GetProcessMemoryInfo(process, &memory, sizeof(memory));
    CloseHandle(process);
    if (!ok)
        return 1;
    auto ms = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
    };
    std::printf("cpu_ms=%llu peak_working_set_kib=%llu working_set_kib=%llu\n", ms(kernel) + ms(user),
        static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
        static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
    return 0;
}

int Usage()
{
    std::fputs("usage: ThermadexCtl show|menu|close|stats|command ID|wait SECONDS\n", stderr);
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    const std::wstring verb = argv[1];
    if (verb == L"wait")
        return WaitForMainWindow(argc > 2 ? _wtoi(argv[2]) : 10) ? 0 : 1;
    HWND window = FindMainWindow();
    if (!window) {
        std::fputs("no running Thermadex found\n", stderr);
        return 1;
    }
    if (verb == L"show")
        PostMessageW(window, kTrayNotify, kTrayIconId, WM_LBUTTONDOWN);
    else if (verb == L"menu")
        PostMessageW(window, kTrayNotify, kTrayIconId, WM_RBUTTONUP);
    else if (verb == L"stats")
        return PrintStats(window);
    else if (verb == L"close")
        PostMessageW(window, WM_CLOSE, 0, 0);
    else if (verb == L"command" && argc > 2)
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[2])), 0);
    else
        return Usage();
    return 0;
}
