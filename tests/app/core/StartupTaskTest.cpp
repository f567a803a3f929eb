#include "app/core/ComRef.h"
#include "app/core/ModuleDir.h"
#include "app/core/StartupTask.h"

#include "FakeTaskScheduler.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string WithoutCarriageReturns(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

// Runs the registration against the recorded fake; returns its result and
// what it wrote to the standard error stream.
int RegisterWithFake(const std::wstring& path, std::string& errors)
{
    testing::internal::CaptureStderr();
    const int result = RegisterStartupTask(path, FakeTaskScheduler::CreateService);
    errors = WithoutCarriageReturns(testing::internal::GetCapturedStderr());
    return result;
}

const std::vector<std::string> kFullSequence = {
    "CoCreateInstance(CLSID_TaskScheduler)",
    "Service.Connect(empty,empty,empty,empty)",
    "Service.GetFolder(\\)",
    "Service.NewTask(0)",
    "Definition.get_Triggers()",
    "Triggers.Create(9)", // TASK_TRIGGER_LOGON
    "Trigger.put_Id(Administrator)",
    "Definition.get_Principal()",
    "Principal.put_RunLevel(1)", // TASK_RUNLEVEL_HIGHEST
    "Definition.get_Settings()",
    "Settings.put_StopIfGoingOnBatteries(false)",
    "Settings.put_DisallowStartIfOnBatteries(false)",
    "Settings.put_AllowDemandStart(true)",
    "Settings.put_StartWhenAvailable(false)",
    "Settings.put_MultipleInstances(0)", // TASK_INSTANCES_PARALLEL
    "Settings.put_ExecutionTimeLimit(PT0S)",
    "Definition.get_Actions()",
    "Actions.Create(0)", // TASK_ACTION_EXEC
    "Action.QueryInterface(IExecAction)",
    "Action.put_Path(C:\\Program Files\\Orvane\\Thermadex.exe)",
    // TASK_CREATE_OR_UPDATE, no user or password, TASK_LOGON_INTERACTIVE_TOKEN,
    // an empty text as security descriptor, no registered task wanted.
    "Folder.RegisterTaskDefinition(Orvane StartupTask,definition,6,empty,empty,3,\"\",null)",
};

class StartupTaskWithFake : public testing::Test {
protected:
    void SetUp() override { FakeTaskScheduler::Reset(); }
    FakeTaskScheduler::Recorder& recorder = FakeTaskScheduler::Current();
};

TEST_F(StartupTaskWithFake, BuildsAndRegistersTheLogonTaskInOrderAndReleasesEverything)
{
    std::string errors;
    EXPECT_EQ(RegisterWithFake(L"C:\\Program Files\\Orvane\\Thermadex.exe", errors), 0);
    EXPECT_EQ(recorder.calls, kFullSequence);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(recorder.liveObjects, 0);
}

TEST_F(StartupTaskWithFake, FailingSettingsAreIgnored)
{
    recorder.failures["Settings.put_AllowDemandStart"] = E_INVALIDARG;
    recorder.failures["Settings.put_ExecutionTimeLimit"] = E_INVALIDARG;
    std::string errors;
    EXPECT_EQ(RegisterWithFake(L"C:\\Program Files\\Orvane\\Thermadex.exe", errors), 0);
    EXPECT_EQ(recorder.calls, kFullSequence);
    EXPECT_EQ(errors, "");
}

struct FailingStep {
    const char* call; // the recorder's key
    HRESULT status;
    const char* line; // expected on the standard error stream
    int result;
};

void PrintTo(const FailingStep& step, std::ostream* os) { *os << step.call; }

class StartupTaskFailure : public StartupTaskWithFake, public testing::WithParamInterface<FailingStep> { };

TEST_P(StartupTaskFailure, WritesItsLineAndEndsThere)
{
    const FailingStep& step = GetParam();
    recorder.failures[step.call] = step.status;
    std::string errors;
    EXPECT_EQ(RegisterWithFake(L"C:\\Program Files\\Orvane\\Thermadex.exe", errors), step.result);
    EXPECT_EQ(errors, std::string(step.line) + "\n");
    ASSERT_FALSE(recorder.calls.empty());
    EXPECT_EQ(recorder.calls.back().rfind(step.call, 0), 0u)
        << "calls went on after the failure: " << recorder.calls.back();
    EXPECT_EQ(recorder.liveObjects, 0);
}

INSTANTIATE_TEST_SUITE_P(EachStep, StartupTaskFailure,
    testing::Values(FailingStep{"CoCreateInstance", REGDB_E_CLASSNOTREG,
                        "Failed to create Task Scheduler instance with HRESULT: 0x80040154", 1},
        FailingStep{"Service.Connect", E_ACCESSDENIED,
            "Failed to connect to Task Scheduler service with HRESULT: 0x80070005", 1},
        FailingStep{"Service.GetFolder", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
            "Failed to get root folder with HRESULT: 0x80070002", 1},
        FailingStep{"Service.NewTask", E_OUTOFMEMORY, "Failed to create new task with HRESULT: 0x8007000e", 1},
        FailingStep{"Definition.get_Triggers", E_FAIL, "Failed to get trigger collection with HRESULT: 0x80004005", 1},
        FailingStep{"Triggers.Create", E_NOTIMPL, "Failed to create trigger with HRESULT: 0x80004001", 1},
        FailingStep{"Trigger.put_Id", E_INVALIDARG, "Failed to set trigger ID with HRESULT: 0x80070057", 1},
        FailingStep{"Definition.get_Principal", E_FAIL, "Failed to get principal with HRESULT: 0x80004005", 1},
        FailingStep{"Principal.put_RunLevel", E_NOTIMPL, "Failed to set run level with HRESULT: 0x80004001", 1},
        FailingStep{"Definition.get_Actions", E_FAIL, "Failed to get action collection with HRESULT: 0x80004005", 1},
        FailingStep{"Actions.Create", E_INVALIDARG, "Failed to create action with HRESULT: 0x80070057", 1},
        FailingStep{"Action.QueryInterface", E_NOINTERFACE,
            "Failed to query exec action interface with HRESULT: 0x80004002", 1},
        FailingStep{"Action.put_Path", E_INVALIDARG, "Failed to set executable path with HRESULT: 0x80070057", 1},
        // A refused registration is reported, but the definition was built.
        FailingStep{"Folder.RegisterTaskDefinition", static_cast<HRESULT>(0x80041318),
            "Failed to register task definition with HRESULT: 0x80041318", 0}),
    [](const testing::TestParamInfo<FailingStep>& info) {
        std::string name;
        for (const char* c = info.param.call; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c)))
                name += *c;
        return name;
    });

// Under Wine 8 the Task Scheduler creates the service, connects, opens the
// root folder, makes a new definition and hands out its trigger collection
// for real; creating a logon trigger is not implemented there, so the real
// registration stops at that step with its line.
TEST(StartupTaskUnderWine, RealRegistrationStopsAtTheLogonTriggerWithItsLine)
{
    testing::internal::CaptureStderr();
    const int result = RegisterStartupTask();
    const std::string errors = WithoutCarriageReturns(testing::internal::GetCapturedStderr());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(errors, "Failed to create trigger with HRESULT: 0x80004001\n");
}

// The steps Wine implements, run against the real Task Scheduler.
class StartupTaskPieces : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CreateTaskService(service.Out()), S_OK);
        ASSERT_TRUE(ConnectTaskService(service.Get()));
        BSTR root = SysAllocString(L"\\");
        ASSERT_EQ(service->GetFolder(root, folder.Out()), S_OK);
        SysFreeString(root);
    }
    void TearDown() override
    {
        if (folder) {
            BSTR name = SysAllocString(kStartupTaskName);
            folder->DeleteTask(name, 0);
            SysFreeString(name);
        }
    }
    ComRef<ITaskDefinition> NewDefinition()
    {
        ComRef<ITaskDefinition> task;
        EXPECT_EQ(service->NewTask(0, task.Out()), S_OK);
        return task;
    }
    // The stored task's XML, empty when there is no such task.
    std::wstring RegisteredXml(const wchar_t* name)
    {
        BSTR path = SysAllocString(name);
        ComRef<IRegisteredTask> task;
        const HRESULT found = folder->GetTask(path, task.Out());
        SysFreeString(path);
        if (FAILED(found))
            return {};
        BSTR xml = nullptr;
        task->get_Xml(&xml);
        std::wstring text = xml ? xml : L"";
        SysFreeString(xml);
        return text;
    }

    ComRef<ITaskService> service;
    ComRef<ITaskFolder> folder;
};

TEST_F(StartupTaskPieces, SettingsAreStoredInTheDefinition)
{
    ComRef<ITaskDefinition> task = NewDefinition();
    ApplyStartupTaskSettings(task.Get());
    ComRef<ITaskSettings> settings;
    ASSERT_EQ(task->get_Settings(settings.Out()), S_OK);
    VARIANT_BOOL flag = VARIANT_FALSE;
    settings->get_AllowDemandStart(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    settings->get_StopIfGoingOnBatteries(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
    settings->get_DisallowStartIfOnBatteries(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
    settings->get_StartWhenAvailable(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
    TASK_INSTANCES_POLICY policy = TASK_INSTANCES_IGNORE_NEW;
    settings->get_MultipleInstances(&policy);
    EXPECT_EQ(policy, TASK_INSTANCES_PARALLEL);
    BSTR limit = nullptr;
    settings->get_ExecutionTimeLimit(&limit);
    EXPECT_EQ(std::wstring(limit ? limit : L""), L"PT0S");
    SysFreeString(limit);
}

// Wine keeps no actions in what it stores or reports, so the action is only
// seen to be accepted; its path is checked against the fake above.
TEST_F(StartupTaskPieces, TheExecActionIsAccepted)
{
    ComRef<ITaskDefinition> task = NewDefinition();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(AddProgramAction(task.Get(), GetModuleDir() + kProgramFileName));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// TASK_CREATE_OR_UPDATE replaces the task in the root folder; the stored
// task carries the settings and an exec action. (Wine's stored form always
// says IgnoreNew for the instances policy and leaves out the command, so
// those two are checked in the definition and against the fake.)
TEST_F(StartupTaskPieces, RegisteringTwiceUpdatesTheTaskInTheRootFolder)
{
    for (const wchar_t* folderPath : {L"C:\\Old Place\\", L"C:\\New Place\\"}) {
        ComRef<ITaskDefinition> task = NewDefinition();
        ApplyStartupTaskSettings(task.Get());
        ASSERT_TRUE(AddProgramAction(task.Get(), std::wstring(folderPath) + kProgramFileName));
        testing::internal::CaptureStderr();
        EXPECT_TRUE(RegisterStartupTaskDefinition(folder.Get(), task.Get()));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
    const std::wstring xml = RegisteredXml(kStartupTaskName);
    for (const wchar_t* setting : {L"<AllowStartOnDemand>true</AllowStartOnDemand>",
             L"<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
             L"<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
             L"<StartWhenAvailable>false</StartWhenAvailable>", L"<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>",
             L"<Exec"})
        EXPECT_NE(xml.find(setting), std::wstring::npos)
            << testing::PrintToString(std::wstring(setting)) << " missing in " << testing::PrintToString(xml);
}

} // namespace
