#include "app/core/StartupTask.h"

#include "app/core/ComRef.h"
#include "app/core/ModuleDir.h"

#include <oleauto.h>

#include <cstdio>

namespace {

void WriteFailure(const char* message, HRESULT status)
{
    std::fprintf(stderr, "%s%lx\n", message, static_cast<unsigned long>(status));
}

// True when `status` is a success; otherwise writes the step's line.
bool Check(HRESULT status, const char* message)
{
    if (SUCCEEDED(status))
        return true;
    WriteFailure(message, status);
    return false;
}

// A BSTR for one call.
class Bstr {
public:
    explicit Bstr(const wchar_t* text)
        : m_text(SysAllocString(text))
    {
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(m_text); }
    operator BSTR() const { return m_text; }

private:
    BSTR m_text;
};

VARIANT EmptyVariant()
{
    VARIANT value;
    VariantInit(&value);
    return value;
}

int BuildAndRegister(const std::wstring& programPath, TaskServiceFactory createService)
{
    ComRef<ITaskService> service;
    if (!Check(createService(service.Out()), "Failed to create Task Scheduler instance with HRESULT: 0x"))
        return 1;
    if (!ConnectTaskService(service.Get()))
        return 1;
    ComRef<ITaskFolder> root;
    if (!Check(service->GetFolder(Bstr(L"\\"), root.Out()), "Failed to get root folder with HRESULT: 0x"))
        return 1;
    ComRef<ITaskDefinition> task;
    if (!Check(service->NewTask(0, task.Out()), "Failed to create new task with HRESULT: 0x"))
        return 1;
    if (!AddLogonTrigger(task.Get()) || !SetHighestRunLevel(task.Get()))
        return 1;
    ApplyStartupTaskSettings(task.Get());
    if (!AddProgramAction(task.Get(), programPath))
        return 1;
    // A refused registration is reported but the definition counts as built.
    RegisterStartupTaskDefinition(root.Get(), task.Get());
    return 0;
}

} // namespace

HRESULT CreateTaskService(ITaskService** service)
{
    return CoCreateInstance(
        CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService, reinterpret_cast<void**>(service));
}

int RegisterStartupTask() { return RegisterStartupTask(GetModuleDir() + kProgramFileName, CreateTaskService); }

int RegisterStartupTask(const std::wstring& programPath, TaskServiceFactory createService)
{
    const HRESULT initialized = CoInitialize(nullptr);
    if (!Check(initialized, "CoInitialize failed with HRESULT: 0x"))
        return 1;
    // Every interface is released inside, before COM is left.
    const int result = BuildAndRegister(programPath, createService);
    CoUninitialize();
    return result;
}

bool ConnectTaskService(ITaskService* service)
{
    // Local machine, current user, no domain, no password.
    return Check(service->Connect(EmptyVariant(), EmptyVariant(), EmptyVariant(), EmptyVariant()),
        "Failed to connect to Task Scheduler service with HRESULT: 0x");
}

bool AddLogonTrigger(ITaskDefinition* task)
{
    ComRef<ITriggerCollection> triggers;
    if (!Check(task->get_Triggers(triggers.Out()), "Failed to get trigger collection with HRESULT: 0x"))
        return false;
    ComRef<ITrigger> trigger;
    if (!Check(triggers->Create(TASK_TRIGGER_LOGON, trigger.Out()), "Failed to create trigger with HRESULT: 0x"))
        return false;
    return Check(trigger->put_Id(Bstr(kStartupTriggerId)), "Failed to set trigger ID with HRESULT: 0x");
}

bool SetHighestRunLevel(ITaskDefinition* task)
{
    ComRef<IPrincipal> principal;
    if (!Check(task->get_Principal(principal.Out()), "Failed to get principal with HRESULT: 0x"))
        return false;
    return Check(principal->put_RunLevel(TASK_RUNLEVEL_HIGHEST), "Failed to set run level with HRESULT: 0x");
}

void ApplyStartupTaskSettings(ITaskDefinition* task)
{
    ComRef<ITaskSettings> settings;
    if (FAILED(task->get_Settings(settings.Out())) || !settings)
        return;
    settings->put_StopIfGoingOnBatteries(VARIANT_FALSE);
    settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE);
    settings->put_AllowDemandStart(VARIANT_TRUE);
    settings->put_StartWhenAvailable(VARIANT_FALSE);
    settings->put_MultipleInstances(TASK_INSTANCES_PARALLEL);
    settings->put_ExecutionTimeLimit(Bstr(L"PT0S"));
}

bool AddProgramAction(ITaskDefinition* task, const std::wstring& programPath)
{
    ComRef<IActionCollection> actions;
    if (!Check(task->get_Actions(actions.Out()), "Failed to get action collection with HRESULT: 0x"))
        return false;
    ComRef<IAction> action;
    if (!Check(actions->Create(TASK_ACTION_EXEC, action.Out()), "Failed to create action with HRESULT: 0x"))
        return false;
    ComRef<IExecAction> exec;
    if (!Check(action->QueryInterface(IID_IExecAction, exec.OutVoid()),
            "Failed to query exec action interface with HRESULT: 0x"))
        return false;
    return Check(exec->put_Path(Bstr(programPath.c_str())), "Failed to set executable path with HRESULT: 0x");
}

bool RegisterStartupTaskDefinition(ITaskFolder* folder, ITaskDefinition* task)
{
    VARIANT securityDescriptor;
    VariantInit(&securityDescriptor);
    securityDescriptor.vt = VT_BSTR;
    securityDescriptor.bstrVal = SysAllocString(L"");
    const HRESULT registered = folder->RegisterTaskDefinition(Bstr(kStartupTaskName), task, TASK_CREATE_OR_UPDATE,
        EmptyVariant(), EmptyVariant(), TASK_LOGON_INTERACTIVE_TOKEN, securityDescriptor, nullptr);
    VariantClear(&securityDescriptor);
    return Check(registered, "Failed to register task definition with HRESULT: 0x");
}
