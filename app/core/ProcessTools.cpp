#include "app/core/ProcessTools.h"

#include "app/core/DpiRule.h"

#include <windows.h>
#include <tlhelp32.h>

bool ApplyDpiRule()
{
    if (!NeedsDpiAwareness(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)))
        return false;
    SetProcessDPIAware();
    return true;
}

bool EnableDebugPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = false;
    if (LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
        // AdjustTokenPrivileges succeeds even when it enabled nothing; the
        // last error tells.
        enabled
            = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) && GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

namespace {

// The process id of the first snapshot entry named `name` (any letter case), or 0.
DWORD FindProcessId(HANDLE snapshot, const std::wstring& name)
{
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, name.c_str()) == 0)
            return entry.th32ProcessID;
    }
    return 0;
}

} // namespace

bool KillProcessByName(const std::wstring& name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    const DWORD processId = FindProcessId(snapshot, name);
    CloseHandle(snapshot);
    if (processId != 0) {
        if (HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId)) {
            TerminateProcess(process, 0);
            CloseHandle(process);
        }
    }
    return true;
}
