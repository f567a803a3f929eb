// The whole software update, end to end: the installed program (built for the
// local update host of this tree) is asked for a loud check through
// WM_COMMAND 102, shows its prompt, and on YES downloads, unpacks and starts
// "Software-1.0.0.4.exe" and ends; on NO it keeps running.
#include "ProgramTestPaths.h"
#include "ProgramTestSupport.h"
#include "SimulatedDisplays.h"
#include "TestProcess.h"

#include <shlobj.h>

#include <algorithm>
#include <string>

namespace {

using namespace ProgramTest;
using namespace TestProcess;

constexpr wchar_t kProgram[] = L"Thermadex.exe";
constexpr wchar_t kCompanion[] = L"OpenHardwareMonitorServer.exe";

std::wstring UpdateTempFolder()
{
    wchar_t local[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    return std::wstring(local) + L"\\Orvane Files\\temp\\";
}

// Runs a command line of the Linux side (Wine starts native programs too).
void RunLinux(const std::string& command)
{
    std::wstring line = L"/bin/bash -c \"" + std::wstring(command.begin(), command.end()) + L"\"";
    RunToEnd(line, 30000);
}

// A second instance of the tree's local update host, on the port the program
// was built for, serving the same channels with the same certificates. It runs
// only while a test needs it, so the other tests' quiet checks find no host.
class FixedPortHost {
public:
    FixedPortHost()
    {
        const std::string state = kUpdateServerState + std::string("-fixed");
        m_ports = L"Z:" + std::wstring(state.begin(), state.end()) + L"/ports";
        std::replace(m_ports.begin(), m_ports.end(), L'/', L'\\');
        m_stop = kServerCtl + std::string(" stop ") + state;
        RunLinux("mkdir -p " + state + " && ln -sfn " + kUpdateServerState + "/certs " + state + "/certs && ln -sfn "
            + kUpdateServerState + "/www " + state + "/www && " + kServerCtl + " start " + state
            + " --http-port -1 --https-port " + std::to_string(kUpdatePort));
        // Wine neither waits for Linux programs nor passes on their exit
        // codes: the server is up once it has written its ports.
        const std::string wanted = "https=" + std::to_string(kUpdatePort);
        for (int i = 0; i < 200 && !m_started; ++i) {
            m_started = ReadText(m_ports).find(wanted) != std::string::npos;
            if (!m_started)
                Sleep(50);
        }
    }
    ~FixedPortHost()
    {
        RunLinux(m_stop);
        for (int i = 0; i < 200 && Exists(m_ports); ++i)
            Sleep(50);
    }
    bool Started() const { return m_started; }

private:
    std::wstring m_ports;
    std::string m_stop;
    bool m_started = false;
};

class InstalledProgramUpdate : public SimulatedDisplays {
protected:
    void SetUp() override
    {
        if (kUpdatePort == 0)
            GTEST_SKIP() << "the program was built for another update host";
        SimulatedDisplays::SetUp();
        EndProcessesNamed(kProgram);
        EndProcessesNamed(kCompanion);
        DeleteSettings();
        RemoveTree(UpdateTempFolder());
        folder = MakeProgramFolder();
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", L"--temp 45.7 --fan 1234.9 --interval 100");
        AddDisplays(1);
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", nullptr);
        EndProcessesNamed(kProgram);
        EndProcessesNamed(kCompanion);
        Sleep(200);
        RemoveTree(folder);
        RemoveTree(UpdateTempFolder());
        DeleteSettings();
    }

    // Starts the program and waits until its start-up commands have run (the
    // first report reached the display); no update host answers until then.
    HANDLE StartProgram(HWND& window)
    {
        HANDLE process = Start(L"\"" + folder + kProgram + L"\"");
        window = WaitForInstanceWindow(20000);
        const DWORD start = GetTickCount();
        while (!DisplayInterface(1).showing && GetTickCount() - start < 20000)
            Sleep(50);
        return process;
    }

    // Asks for the loud software check and waits for the prompt.
    HWND AskAndWaitForPrompt(HWND window)
    {
        PostMessageW(window, WM_COMMAND, 102, 0);
        HWND box = nullptr;
        for (int i = 0; i < 300 && !box; ++i) {
            Sleep(50);
            box = FindWindowW(nullptr, L"MessageBox");
        }
        if (box)
            Sleep(800); // painted and ready for the mouse
        return box;
    }

    void Answer(HWND box, int x)
    {
        RECT rect = {};
        GetWindowRect(box, &rect);
        Click(rect.left + x, rect.top + 175);
    }

    std::wstring folder;
};

TEST_F(InstalledProgramUpdate, YesDownloadsUnpacksAndStartsTheNewProgramAndEnds)
{
    HWND window = nullptr;
    HANDLE process = StartProgram(window);
    ASSERT_NE(process, nullptr);
    ASSERT_NE(window, nullptr);
    FixedPortHost host;
    ASSERT_TRUE(host.Started());

    HWND box = AskAndWaitForPrompt(window);
    ASSERT_NE(box, nullptr) << "no prompt for 1.0.0.4";
    Answer(box, 120); // YES

    const std::wstring marker = UpdateTempFolder() + L"Software-1.0.0.4.exe.ran";
    EXPECT_TRUE(WaitForFile(marker, 30000)) << "the new program did not run";
    EXPECT_TRUE(Exists(UpdateTempFolder() + L"Software-1.0.0.4.exe")) << "unpacked from the archive";
    ASSERT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0) << "the program did not end";
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process);
}

TEST_F(InstalledProgramUpdate, NoLeavesTheProgramRunning)
{
    HWND window = nullptr;
    HANDLE process = StartProgram(window);
    ASSERT_NE(process, nullptr);
    ASSERT_NE(window, nullptr);
    FixedPortHost host;
    ASSERT_TRUE(host.Started());

    HWND box = AskAndWaitForPrompt(window);
    ASSERT_NE(box, nullptr);
    Answer(box, 260); // NO
    for (int i = 0; i < 100 && IsWindow(box); ++i)
        Sleep(50);
    EXPECT_FALSE(IsWindow(box));
    Sleep(2000);
    EXPECT_TRUE(IsRunning(process));
    EXPECT_FALSE(Exists(UpdateTempFolder() + L"Software-1.0.0.4.exe")) << "nothing is downloaded";
    CloseHandle(process);
}

} // namespace
