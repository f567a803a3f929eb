#include "TestProcess.h"

#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <thread>

namespace TestProcess {

std::wstring BinDir()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

std::wstring NewTempFolder(const std::wstring& stem)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    const std::wstring folder = std::wstring(temp) + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-"
        + std::to_wstring(++counter) + L"\\";
    RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool CopyInto(const std::wstring& source, const std::wstring& target)
{
    const std::wstring folder = target.substr(0, target.find_last_of(L'\\'));
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return CopyFileW(source.c_str(), target.c_str(), FALSE) != 0;
}

void RemoveTree(const std::wstring& folder)
{
    std::wstring from = folder;
    if (!from.empty() && from.back() == L'\\')
        from.pop_back();
    from.push_back(L'\0'); // the list ends with two zeros
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

HANDLE Start(const std::wstring& commandLine, const std::wstring& applicationName)
{
    std::wstring line = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(applicationName.empty() ? nullptr : applicationName.c_str(), line.data(), nullptr, nullptr,
            FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

namespace {

void Drain(HANDLE pipe, std::string* out)
{
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        if (out)
            out->append(buffer, read);
    }
}

} // namespace

int RunToEnd(const std::wstring& commandLine, DWORD timeoutMs, std::string* output, std::string* errors)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process = {};
    std::wstring line = commandLine;
    const BOOL started
        = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        return -1;
    }
    CloseHandle(process.hThread);
    std::thread outReader(Drain, outRead, output);
    std::thread errReader(Drain, errRead, errors);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    outReader.join();
    errReader.join();
    CloseHandle(outRead);
    CloseHandle(errRead);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

bool IsRunning(HANDLE process) { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

std::vector<DWORD> ProcessIdsNamed(const std::wstring& name)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, name.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

void EndProcessesNamed(const std::wstring& name)
{
    for (DWORD id : ProcessIdsNamed(name)) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 2000);
            CloseHandle(process);
        }
    }
}

bool WaitForFile(const std::wstring& path, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

std::string ReadText(const std::wstring& path)
{
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    Drain(file, &text);
    CloseHandle(file);
    return text;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace TestProcess
