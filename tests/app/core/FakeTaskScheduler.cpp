#include "FakeTaskScheduler.h"

#include <oleauto.h>

#include <string>

namespace FakeTaskScheduler {

namespace {

Recorder g_recorder;

std::string Text(BSTR text)
{
    if (!text)
        return "null";
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c)
        narrow += static_cast<char>(*c < 128 ? *c : '?');
    return narrow;
}

std::string Text(const VARIANT& value)
{
    if (value.vt == VT_EMPTY)
        return "empty";
    if (value.vt == VT_BSTR)
        return "\"" + Text(value.bstrVal) + "\"";
    return "vt" + std::to_string(value.vt);
}

std::string Flag(VARIANT_BOOL value) { return value == VARIANT_TRUE ? "true" : value == VARIANT_FALSE ? "false" : "?"; }

// IUnknown and IDispatch for one fake object.
template<typename Interface> class FakeObject : public Interface {
public:
    explicit FakeObject(const char* name)
        : m_name(name)
    {
        ++g_recorder.liveObjects;
    }
    virtual ~FakeObject() { --g_recorder.liveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface)) {
            *out = this;
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return Unused("GetTypeInfoCount"); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Unused("GetTypeInfo"); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return Unused("GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return Unused("Invoke");
    }

protected:
    HRESULT Record(const char* method, const std::string& arguments = "")
    {
        return g_recorder.Call(m_name + "." + method, arguments);
    }
    HRESULT Unused(const char* method)
    {
        g_recorder.calls.push_back("unexpected " + m_name + "." + method);
        return E_NOTIMPL;
    }
    // Hands out a new object through an out-parameter unless the call failed.
    template<typename Out, typename Object> static HRESULT HandOut(HRESULT result, Out** out)
    {
        *out = nullptr;
        if (SUCCEEDED(result))
            *out = new Object();
        return result;
    }

    std::string m_name;
    ULONG m_references = 1;
};

#define FAKE_UNUSED(method, ...)                                                                                       \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return Unused(#method); }

class Trigger final : public FakeObject<ITrigger> {
public:
    Trigger()
        : FakeObject("Trigger")
    {
    }
    HRESULT STDMETHODCALLTYPE put_Id(BSTR id) override { return Record("put_Id", Text(id)); }
    FAKE_UNUSED(get_Type, TASK_TRIGGER_TYPE2*)
    FAKE_UNUSED(get_Id, BSTR*)
    FAKE_UNUSED(get_Repetition, IRepetitionPattern**)
    FAKE_UNUSED(put_Repetition, IRepetitionPattern*)
    FAKE_UNUSED(get_ExecutionTimeLimit, BSTR*)
    FAKE_UNUSED(put_ExecutionTimeLimit, BSTR)
    FAKE_UNUSED(get_StartBoundary, BSTR*)
    FAKE_UNUSED(put_StartBoundary, BSTR)
    FAKE_UNUSED(get_EndBoundary, BSTR*)
    FAKE_UNUSED(put_EndBoundary, BSTR)
    FAKE_UNUSED(get_Enabled, VARIANT_BOOL*)
    FAKE_UNUSED(put_Enabled, VARIANT_BOOL)
};

class TriggerCollection final : public FakeObject<ITriggerCollection> {
public:
    TriggerCollection()
        : FakeObject("Triggers")
    {
    }
    HRESULT STDMETHODCALLTYPE Create(TASK_TRIGGER_TYPE2 type, ITrigger** trigger) override
    {
        return HandOut<ITrigger, Trigger>(Record("Create", std::to_string(type)), trigger);
    }
    FAKE_UNUSED(get_Count, LONG*)
    FAKE_UNUSED(get_Item, LONG, ITrigger**)
    FAKE_UNUSED(get__NewEnum, IUnknown**)
    FAKE_UNUSED(Remove, VARIANT)
    FAKE_UNUSED(Clear)
};

class Principal final : public FakeObject<IPrincipal> {
public:
    Principal()
        : FakeObject("Principal")
    {
    }
    HRESULT STDMETHODCALLTYPE put_RunLevel(TASK_RUNLEVEL_TYPE level) override
    {
        return Record("put_RunLevel", std::to_string(level));
    }
    FAKE_UNUSED(get_Id, BSTR*)
    FAKE_UNUSED(put_Id, BSTR)
    FAKE_UNUSED(get_DisplayName, BSTR*)
    FAKE_UNUSED(put_DisplayName, BSTR)
    FAKE_UNUSED(get_UserId, BSTR*)
    FAKE_UNUSED(put_UserId, BSTR)
    FAKE_UNUSED(get_LogonType, TASK_LOGON_TYPE*)
    FAKE_UNUSED(put_LogonType, TASK_LOGON_TYPE)
    FAKE_UNUSED(get_GroupId, BSTR*)
    FAKE_UNUSED(put_GroupId, BSTR)
    FAKE_UNUSED(get_RunLevel, TASK_RUNLEVEL_TYPE*)
};

class Settings final : public FakeObject<ITaskSettings> {
public:
    Settings()
        : FakeObject("Settings")
    {
    }
    HRESULT STDMETHODCALLTYPE put_AllowDemandStart(VARIANT_BOOL v) override
    {
        return Record("put_AllowDemandStart", Flag(v));
    }
    HRESULT STDMETHODCALLTYPE put_MultipleInstances(TASK_INSTANCES_POLICY v) override
    {
        return Record("put_MultipleInstances", std::to_string(v));
    }
    HRESULT STDMETHODCALLTYPE put_StopIfGoingOnBatteries(VARIANT_BOOL v) override
    {
        return Record("put_StopIfGoingOnBatteries", Flag(v));
    }
    HRESULT STDMETHODCALLTYPE put_DisallowStartIfOnBatteries(VARIANT_BOOL v) override
    {
        return Record("put_DisallowStartIfOnBatteries", Flag(v));
    }
    HRESULT STDMETHODCALLTYPE put_StartWhenAvailable(VARIANT_BOOL v) override
    {
        return Record("put_StartWhenAvailable", Flag(v));
    }
    HRESULT STDMETHODCALLTYPE put_ExecutionTimeLimit(BSTR v) override
    {
        return Record("put_ExecutionTimeLimit", Text(v));
    }
    FAKE_UNUSED(get_AllowDemandStart, VARIANT_BOOL*)
    FAKE_UNUSED(get_RestartInterval, BSTR*)
    FAKE_UNUSED(put_RestartInterval, BSTR)
    FAKE_UNUSED(get_RestartCount, INT*)
    FAKE_UNUSED(put_RestartCount, INT)
    FAKE_UNUSED(get_MultipleInstances, TASK_INSTANCES_POLICY*)
    FAKE_UNUSED(get_StopIfGoingOnBatteries, VARIANT_BOOL*)
    FAKE_UNUSED(get_DisallowStartIfOnBatteries, VARIANT_BOOL*)
    FAKE_UNUSED(get_AllowHardTerminate, VARIANT_BOOL*)
    FAKE_UNUSED(put_AllowHardTerminate, VARIANT_BOOL)
    FAKE_UNUSED(get_StartWhenAvailable, VARIANT_BOOL*)
    FAKE_UNUSED(get_XmlText, BSTR*)
    FAKE_UNUSED(put_XmlText, BSTR)
    FAKE_UNUSED(get_RunOnlyIfNetworkAvailable, VARIANT_BOOL*)
    FAKE_UNUSED(put_RunOnlyIfNetworkAvailable, VARIANT_BOOL)
    FAKE_UNUSED(get_ExecutionTimeLimit, BSTR*)
    FAKE_UNUSED(get_Enabled, VARIANT_BOOL*)
    FAKE_UNUSED(put_Enabled, VARIANT_BOOL)
    FAKE_UNUSED(get_DeleteExpiredTaskAfter, BSTR*)
    FAKE_UNUSED(put_DeleteExpiredTaskAfter, BSTR)
    FAKE_UNUSED(get_Priority, INT*)
    FAKE_UNUSED(put_Priority, INT)
    FAKE_UNUSED(get_Compatibility, TASK_COMPATIBILITY*)
    FAKE_UNUSED(put_Compatibility, TASK_COMPATIBILITY)
    FAKE_UNUSED(get_Hidden, VARIANT_BOOL*)
    FAKE_UNUSED(put_Hidden, VARIANT_BOOL)
    FAKE_UNUSED(get_IdleSettings, IIdleSettings**)
    FAKE_UNUSED(put_IdleSettings, IIdleSettings*)
    FAKE_UNUSED(get_RunOnlyIfIdle, VARIANT_BOOL*)
    FAKE_UNUSED(put_RunOnlyIfIdle, VARIANT_BOOL)
    FAKE_UNUSED(get_WakeToRun, VARIANT_BOOL*)
    FAKE_UNUSED(put_WakeToRun, VARIANT_BOOL)
    FAKE_UNUSED(get_NetworkSettings, INetworkSettings**)
    FAKE_UNUSED(put_NetworkSettings, INetworkSettings*)
};

// The created action answers both IAction and IExecAction.
class ExecAction final : public FakeObject<IExecAction> {
public:
    ExecAction()
        : FakeObject("Action")
    {
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == __uuidof(IExecAction)) {
            const HRESULT result = Record("QueryInterface", "IExecAction");
            *out = nullptr;
            if (FAILED(result))
                return result;
            *out = static_cast<IExecAction*>(this);
            AddRef();
            return S_OK;
        }
        if (iid == __uuidof(IAction)) {
            *out = static_cast<IAction*>(this);
            AddRef();
            return S_OK;
        }
        return FakeObject::QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE put_Path(BSTR path) override { return Record("put_Path", Text(path)); }
    FAKE_UNUSED(get_Id, BSTR*)
    FAKE_UNUSED(put_Id, BSTR)
    FAKE_UNUSED(get_Type, TASK_ACTION_TYPE*)
    FAKE_UNUSED(get_Path, BSTR*)
    FAKE_UNUSED(get_Arguments, BSTR*)
    FAKE_UNUSED(put_Arguments, BSTR)
    FAKE_UNUSED(get_WorkingDirectory, BSTR*)
    FAKE_UNUSED(put_WorkingDirectory, BSTR)
};

class ActionCollection final : public FakeObject<IActionCollection> {
public:
    ActionCollection()
        : FakeObject("Actions")
    {
    }
    HRESULT STDMETHODCALLTYPE Create(TASK_ACTION_TYPE type, IAction** action) override
    {
        return HandOut<IAction, ExecAction>(Record("Create", std::to_string(type)), action);
    }
    FAKE_UNUSED(get_Count, LONG*)
    FAKE_UNUSED(get_Item, LONG, IAction**)
    FAKE_UNUSED(get__NewEnum, IUnknown**)
    FAKE_UNUSED(get_XmlText, BSTR*)
    FAKE_UNUSED(put_XmlText, BSTR)
    FAKE_UNUSED(Remove, VARIANT)
    FAKE_UNUSED(Clear)
    FAKE_UNUSED(get_Context, BSTR*)
    FAKE_UNUSED(put_Context, BSTR)
};

class Definition final : public FakeObject<ITaskDefinition> {
public:
    Definition()
        : FakeObject("Definition")
    {
    }
    HRESULT STDMETHODCALLTYPE get_Triggers(ITriggerCollection** triggers) override
    {
        return HandOut<ITriggerCollection, TriggerCollection>(Record("get_Triggers"), triggers);
    }
    HRESULT STDMETHODCALLTYPE get_Settings(ITaskSettings** settings) override
    {
        return HandOut<ITaskSettings, Settings>(Record("get_Settings"), settings);
    }
    HRESULT STDMETHODCALLTYPE get_Principal(IPrincipal** principal) override
    {
        return HandOut<IPrincipal, Principal>(Record("get_Principal"), principal);
    }
    HRESULT STDMETHODCALLTYPE get_Actions(IActionCollection** actions) override
    {
        return HandOut<IActionCollection, ActionCollection>(Record("get_Actions"), actions);
    }
    FAKE_UNUSED(get_RegistrationInfo, IRegistrationInfo**)
    FAKE_UNUSED(put_RegistrationInfo, IRegistrationInfo*)
    FAKE_UNUSED(put_Triggers, ITriggerCollection*)
    FAKE_UNUSED(put_Settings, ITaskSettings*)
    FAKE_UNUSED(get_Data, BSTR*)
    FAKE_UNUSED(put_Data, BSTR)
    FAKE_UNUSED(put_Principal, IPrincipal*)
    FAKE_UNUSED(put_Actions, IActionCollection*)
    FAKE_UNUSED(get_XmlText, BSTR*)
    FAKE_UNUSED(put_XmlText, BSTR)
};

class Folder final : public FakeObject<ITaskFolder> {
public:
    Folder()
        : FakeObject("Folder")
    {
    }
    HRESULT STDMETHODCALLTYPE RegisterTaskDefinition(BSTR path, ITaskDefinition* definition, LONG flags, VARIANT user,
        VARIANT password, TASK_LOGON_TYPE logon, VARIANT sddl, IRegisteredTask** task) override
    {
        const std::string arguments = Text(path) + "," + (definition ? "definition" : "null") + ","
            + std::to_string(flags) + "," + Text(user) + "," + Text(password) + "," + std::to_string(logon) + ","
            + Text(sddl) + "," + (task ? "out" : "null");
        return Record("RegisterTaskDefinition", arguments);
    }
    FAKE_UNUSED(get_Name, BSTR*)
    FAKE_UNUSED(get_Path, BSTR*)
    FAKE_UNUSED(GetFolder, BSTR, ITaskFolder**)
    FAKE_UNUSED(GetFolders, LONG, ITaskFolderCollection**)
    FAKE_UNUSED(CreateFolder, BSTR, VARIANT, ITaskFolder**)
    FAKE_UNUSED(DeleteFolder, BSTR, LONG)
    FAKE_UNUSED(GetTask, BSTR, IRegisteredTask**)
    FAKE_UNUSED(GetTasks, LONG, IRegisteredTaskCollection**)
    FAKE_UNUSED(DeleteTask, BSTR, LONG)
    FAKE_UNUSED(RegisterTask, BSTR, BSTR, LONG, VARIANT, VARIANT, TASK_LOGON_TYPE, VARIANT, IRegisteredTask**)
    FAKE_UNUSED(GetSecurityDescriptor, LONG, BSTR*)
    FAKE_UNUSED(SetSecurityDescriptor, BSTR, LONG)
};

class Service final : public FakeObject<ITaskService> {
public:
    Service()
        : FakeObject("Service")
    {
    }
    HRESULT STDMETHODCALLTYPE Connect(VARIANT server, VARIANT user, VARIANT domain, VARIANT password) override
    {
        return Record("Connect", Text(server) + "," + Text(user) + "," + Text(domain) + "," + Text(password));
    }
    HRESULT STDMETHODCALLTYPE GetFolder(BSTR path, ITaskFolder** folder) override
    {
        return HandOut<ITaskFolder, Folder>(Record("GetFolder", Text(path)), folder);
    }
    HRESULT STDMETHODCALLTYPE NewTask(DWORD flags, ITaskDefinition** definition) override
    {
        return HandOut<ITaskDefinition, Definition>(Record("NewTask", std::to_string(flags)), definition);
    }
    FAKE_UNUSED(GetRunningTasks, LONG, IRunningTaskCollection**)
    FAKE_UNUSED(get_Connected, VARIANT_BOOL*)
    FAKE_UNUSED(get_TargetServer, BSTR*)
    FAKE_UNUSED(get_ConnectedUser, BSTR*)
    FAKE_UNUSED(get_ConnectedDomain, BSTR*)
    FAKE_UNUSED(get_HighestVersion, DWORD*)
};

} // namespace

HRESULT Recorder::Call(const std::string& key, const std::string& arguments)
{
    calls.push_back(key + "(" + arguments + ")");
    const auto failure = failures.find(key);
    return failure == failures.end() ? S_OK : failure->second;
}

Recorder& Current() { return g_recorder; }

void Reset()
{
    g_recorder.calls.clear();
    g_recorder.failures.clear();
}

HRESULT CreateService(ITaskService** service)
{
    *service = nullptr;
    const HRESULT result = g_recorder.Call("CoCreateInstance", "CLSID_TaskScheduler");
    if (FAILED(result))
        return result;
    *service = new Service();
    return S_OK;
}

} // namespace FakeTaskScheduler
