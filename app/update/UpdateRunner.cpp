#include "app/update/UpdateRunner.h"

#include "app/update/HttpTransfer.h"
#include "app/update/UpdateFolders.h"
#include "app/update/UpdateNames.h"
#include "app/update/VersionText.h"
#include "app/update/ZipExtractor.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace {

// Without a user interface: a failure must not leave a modal error box on
// the worker, and the process is about to end, so the start must be complete
// before this returns.
bool StartProgram(const std::wstring& path)
{
    SHELLEXECUTEINFOW start = {};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    start.lpVerb = L"open";
    start.lpFile = path.c_str();
    start.nShow = SW_SHOW;
    return ShellExecuteExW(&start) != FALSE;
}

} // namespace

std::wstring UpdateTempFolder(const std::wstring& dataFolder) { return dataFolder + L"\\temp\\"; }

UpdateOutcome RunUpdate(UpdateChannel channel, const std::wstring& channelAddress, const std::wstring& latestVersion,
    const UpdateEnvironment& environment)
{
    if (!IsUsableVersionText(latestVersion))
        return UpdateOutcome::NotAVersion;
    if (environment.dataFolder.empty())
        return UpdateOutcome::NoDataFolder;

    const std::wstring tempFolder = UpdateTempFolder(environment.dataFolder);
    CreateFolderTree(tempFolder);
    const std::wstring archiveName = ArchiveName(channel, latestVersion);
    const std::wstring archivePath = tempFolder + archiveName;
    DeleteFileW(archivePath.c_str());

    int localProgress = 0;
    int& lastProgress = environment.lastProgress ? *environment.lastProgress : localProgress;
    const int downloaded = HttpDownloadFile(
        DownloadAddress(channelAddress, archiveName), archivePath, environment.progressWindow, lastProgress);
    if (downloaded != 1 || !PathFileExistsW(archivePath.c_str()))
        return UpdateOutcome::DownloadFailed;
    if (!ExtractZip(archivePath, tempFolder))
        return UpdateOutcome::ArchiveUnreadable;
    DeleteFileW(archivePath.c_str());

    const std::wstring programPath = tempFolder + ProgramName(channel, latestVersion);
    if (!PathFileExistsW(programPath.c_str()))
        return UpdateOutcome::ProgramMissing;
    if (!StartProgram(programPath))
        return UpdateOutcome::StartFailed;
    if (environment.endProcess)
        environment.endProcess();
    return UpdateOutcome::Started;
}
