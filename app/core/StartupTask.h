#pragma once

#include <windows.h>
#include <taskschd.h>

#include <string>

// The logon task that starts the program with the highest run level: task
// "Orvane StartupTask" in the root folder of the Task Scheduler, created or
// replaced at every start. Each failing step writes one line to the standard
// error stream: its message and the status code in lower-case hexadecimal.

constexpr wchar_t kStartupTaskName[] = L"Orvane StartupTask";
constexpr wchar_t kStartupTriggerId[] = L"Administrator";
constexpr wchar_t kProgramFileName[] = L"Thermadex.exe";

// Creates the Task Scheduler's service object.
using TaskServiceFactory = HRESULT (*)(ITaskService** service);
HRESULT CreateTaskService(ITaskService** service);

// 0 when the task definition was built (also when its final registration
// failed), 1 when an earlier step failed. The action runs
// GetModuleDir() + "Thermadex.exe".
int RegisterStartupTask();
// The same with the program path and the service's creation given.
int RegisterStartupTask(const std::wstring& programPath, TaskServiceFactory createService);

// The steps' pieces, also used on their own to check them against the real
// Task Scheduler. Each writes its failure line and returns false on failure.
bool ConnectTaskService(ITaskService* service);
bool AddLogonTrigger(ITaskDefinition* task);
bool SetHighestRunLevel(ITaskDefinition* task);
// The six settings; their results are ignored.
void ApplyStartupTaskSettings(ITaskDefinition* task);
bool AddProgramAction(ITaskDefinition* task, const std::wstring& programPath);
// Registers (or replaces) the task in `folder`; writes the failure line and
// returns false when the Task Scheduler refuses.
bool RegisterStartupTaskDefinition(ITaskFolder* folder, ITaskDefinition* task);
