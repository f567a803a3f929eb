#include "app/update/DownloadProgress.h"
#include "app/update/UpdateNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

std::vector<std::optional<int>> Pieces(long long contentLength, int count)
{
    DownloadProgress progress(contentLength);
    std::vector<std::optional<int>> values;
    for (int i = 0; i < count; ++i)
        values.push_back(progress.AfterPiece());
    return values;
}

TEST(DownloadProgress, ClimbsFromTenToHundredOverTheExpectedPieces)
{
    const auto values = Pieces(3 * 10240, 3);
    EXPECT_EQ(values, (std::vector<std::optional<int>>{40, 70, 100}));
}

TEST(DownloadProgress, StopsAtHundredWhenMorePiecesArriveThanExpected)
{
    // 2.5 pieces' worth: L / 10240 is 2, and three pieces arrive.
    EXPECT_EQ(Pieces(25600, 3), (std::vector<std::optional<int>>{55, 100, 100}));
    // Small pieces: 10 + 18 k would reach 514, a left button release.
    const auto many = Pieces(56320, 40);
    EXPECT_EQ(*std::max_element(many.begin(), many.end()), 100);
}

TEST(DownloadProgress, NoEstimateWithoutAContentLengthOfAWholePiece)
{
    for (long long length : {0LL, -1LL, 10239LL}) {
        const auto values = Pieces(length, 2);
        EXPECT_EQ(values, (std::vector<std::optional<int>>{std::nullopt, std::nullopt})) << length;
    }
    EXPECT_EQ(Pieces(10240, 1), (std::vector<std::optional<int>>{100}));
}

TEST(UpdateNames, BuildTheChannelsFileNamesAndAddresses)
{
    EXPECT_EQ(ArchiveName(UpdateChannel::Software, L"1.0.0.4"), L"Software-1.0.0.4.zip");
    EXPECT_EQ(ProgramName(UpdateChannel::Software, L"1.0.0.4"), L"Software-1.0.0.4.exe");
    EXPECT_EQ(ArchiveName(UpdateChannel::Firmware, L"106"), L"FirmwareUpdateTool-106.zip");
    EXPECT_EQ(ProgramName(UpdateChannel::Firmware, L"106"), L"FirmwareUpdateTool-106.exe");
    const std::wstring address = std::wstring(L"https://h") + kSoftwareChannelPath;
    EXPECT_EQ(VersionFileAddress(address), L"https://h/display-k9/K9X/software/version");
    EXPECT_EQ(
        DownloadAddress(address, L"Software-1.0.0.4.zip"), L"https://h/display-k9/K9X/software///Software-1.0.0.4.zip");
    EXPECT_EQ(UpdatePromptText(L"1.0.0.4"), L"Detected the latest version:v1.0.0.4, update now?");
}

} // namespace
