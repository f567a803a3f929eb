// The update command against the local host: download, unpack, start the
// program inside the archive (UpdateMarker.exe, which records that it ran)
// and end the process, or stay running when any of that fails.
#include "app/update/UpdateRunner.h"

#include "UpdateTestSupport.h"
#include "app/update/UpdateNames.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

namespace {

const TestUpdateServer& Server() { return TestUpdateServer::Get(); }

class RunUpdateTest : public testing::Test {
protected:
    UpdateOutcome Run(UpdateChannel channel, const std::wstring& address, const std::wstring& version)
    {
        UpdateOutcome outcome = UpdateOutcome::StartFailed;
        m_recorder.RunOnWorker([&] {
            UpdateEnvironment environment;
            environment.progressWindow = m_recorder.Window();
            environment.lastProgress = &m_lastProgress;
            environment.dataFolder = m_folder.Path();
            environment.endProcess = [this] { ++m_ended; };
            outcome = RunUpdate(channel, address, version, environment);
        });
        return outcome;
    }

    std::wstring Temp(const std::wstring& name) const { return UpdateTempFolder(m_folder.Path()) + name; }

    TestFolder m_folder;
    MessageRecorder m_recorder;
    int m_lastProgress = 0;
    int m_ended = 0;
};

TEST_F(RunUpdateTest, StartsTheDownloadedInstallerAndEndsTheProcess)
{
    const std::wstring address = Server().Https(std::wstring(kSoftwareChannelPath));
    const char* archivePath = "/display-k9/K9X/software/Software-1.0.0.4.zip";
    const std::size_t earlier = Server().RequestsFor(archivePath).size();
    ASSERT_EQ(Run(UpdateChannel::Software, address, L"1.0.0.4"), UpdateOutcome::Started);
    EXPECT_EQ(m_ended, 1);
    EXPECT_EQ(UpdateTempFolder(m_folder.Path()), m_folder.Path() + L"\\temp\\");
    ASSERT_TRUE(WaitForFile(Temp(L"Software-1.0.0.4.exe.ran"), 10000)) << "the installer did not run";
    EXPECT_NE(ReadWholeFile(Temp(L"Software-1.0.0.4.exe.ran")).find("Software-1.0.0.4.exe"), std::string::npos);
    EXPECT_FALSE(PathFileExistsW(Temp(L"Software-1.0.0.4.zip").c_str())) << "the unpacked archive is deleted";
    EXPECT_EQ(m_recorder.Progress().back(), 100);
    const std::vector<std::string> requests = Server().RequestsFor(archivePath);
    ASSERT_EQ(requests.size(), earlier + 1);
    EXPECT_NE(
        requests.back().find("\"raw_path\": \"/display-k9/K9X/software///Software-1.0.0.4.zip\""), std::string::npos)
        << requests.back();
}

TEST_F(RunUpdateTest, StartsTheFirmwareTool)
{
    const std::wstring address = Server().Https(std::wstring(kFirmwareChannelPath));
    ASSERT_EQ(Run(UpdateChannel::Firmware, address, L"106"), UpdateOutcome::Started);
    EXPECT_EQ(m_ended, 1);
    EXPECT_TRUE(WaitForFile(Temp(L"FirmwareUpdateTool-106.exe.ran"), 10000)) << "the firmware tool did not run";
}

struct FailedUpdate {
    const char* name;
    std::wstring (*address)();
    const wchar_t* version;
    UpdateOutcome outcome;
};

void PrintTo(const FailedUpdate& c, std::ostream* os) { *os << c.name; }

class FailedRunUpdate : public RunUpdateTest, public testing::WithParamInterface<FailedUpdate> { };

// The program file of the last good layout must never be reached.
TEST_P(FailedRunUpdate, KeepsTheProcessRunningAndStartsNothing)
{
    const FailedUpdate& c = GetParam();
    EXPECT_EQ(Run(UpdateChannel::Software, c.address(), c.version), c.outcome);
    EXPECT_EQ(m_ended, 0);
    Sleep(200);
    EXPECT_FALSE(PathFileExistsW(Temp(L"Software-1.0.0.4.exe.ran").c_str()));
}

std::wstring Faulty(const wchar_t* fault)
{
    return Server().Https(std::wstring(L"/_fault/") + fault + kSoftwareChannelPath);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedRunUpdate,
    testing::Values(FailedUpdate{"NotFound", [] { return Faulty(L"404"); }, L"1.0.0.4", UpdateOutcome::DownloadFailed},
        FailedUpdate{"ServerError", [] { return Faulty(L"500"); }, L"1.0.0.4", UpdateOutcome::DownloadFailed},
        FailedUpdate{"StallThenClose", [] { return Faulty(L"stall"); }, L"1.0.0.4", UpdateOutcome::DownloadFailed},
        FailedUpdate{"StallMidBody", [] { return Faulty(L"stall-body"); }, L"1.0.0.4", UpdateOutcome::DownloadFailed},
        FailedUpdate{"ClosedMidBody", [] { return Faulty(L"close"); }, L"1.0.0.4", UpdateOutcome::DownloadFailed},
        FailedUpdate{"Unreachable", [] { return UnreachableAddress(kSoftwareChannelPath); }, L"1.0.0.4",
            UpdateOutcome::DownloadFailed},
        FailedUpdate{"NoSuchVersion", [] { return Server().Https(kSoftwareChannelPath); }, L"1.0.0.9",
            UpdateOutcome::DownloadFailed},
        FailedUpdate{"TruncatedArchive",
            [] { return Server().Https(std::wstring(L"/archives/truncated-archive") + kSoftwareChannelPath); },
            L"1.0.0.4", UpdateOutcome::ArchiveUnreadable},
        FailedUpdate{"ArchiveWithoutTheProgram",
            [] { return Server().Https(std::wstring(L"/archives/wrong-program") + kSoftwareChannelPath); }, L"1.0.0.4",
            UpdateOutcome::ProgramMissing},
        FailedUpdate{"VersionWithAPath", [] { return Server().Https(kSoftwareChannelPath); }, L"..\\1.0.0.4",
            UpdateOutcome::NotAVersion}),
    [](const testing::TestParamInfo<FailedUpdate>& info) { return std::string(info.param.name); });

TEST_F(RunUpdateTest, AnUnreadableArchiveIsKeptAndNotStarted)
{
    const std::wstring address = Server().Https(std::wstring(L"/archives/truncated-archive") + kSoftwareChannelPath);
    ASSERT_EQ(Run(UpdateChannel::Software, address, L"1.0.0.4"), UpdateOutcome::ArchiveUnreadable);
    EXPECT_TRUE(PathFileExistsW(Temp(L"Software-1.0.0.4.zip").c_str()));
}

} // namespace
