#pragma once

// Process and file helpers for tests that run real child processes.
#include <windows.h>

#include <string>
#include <vector>

namespace TestProcess {

// The folder of the test program (the build tree's bin folder).
std::wstring BinDir();
// A new empty folder under the temporary folder whose name starts with `stem`
// (and may contain blanks); ends with a backslash.
std::wstring NewTempFolder(const std::wstring& stem);
bool CopyInto(const std::wstring& source, const std::wstring& target);
void RemoveTree(const std::wstring& folder);

// Starts `commandLine`; the handle is the caller's to close. Null on failure.
HANDLE Start(const std::wstring& commandLine, const std::wstring& applicationName = L"");
// Runs `commandLine` to its end (at most `timeoutMs`); returns its exit code
// (or -1) and, when asked, what it wrote to its standard output and error.
int RunToEnd(
    const std::wstring& commandLine, DWORD timeoutMs, std::string* output = nullptr, std::string* errors = nullptr);
bool IsRunning(HANDLE process);

// Identifiers of the running processes with this executable name (any case).
std::vector<DWORD> ProcessIdsNamed(const std::wstring& name);
// Ends them all (test clean-up).
void EndProcessesNamed(const std::wstring& name);

// Waits until the file exists and is not empty.
bool WaitForFile(const std::wstring& path, DWORD timeoutMs);
std::string ReadText(const std::wstring& path);
bool Exists(const std::wstring& path);

} // namespace TestProcess
