#include "app/update/UpdateDecision.h"
#include "app/update/VersionText.h"
#include "PrintWide.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

constexpr wchar_t kCurrent[] = L"1.0.0.3";

struct SoftwareCase {
    const wchar_t* fetched;
    std::optional<bool> loudNewer; // nullopt: nothing is posted
    std::optional<bool> quietNewer;
    const wchar_t* stored; // the latest software version afterwards
};

void PrintTo(const SoftwareCase& c, std::ostream* os) { PrintWide(c.fetched, os); }

class SoftwareCheckTable : public testing::TestWithParam<SoftwareCase> { };

std::optional<bool> RunCheck(const wchar_t* fetched, CheckMode mode, LatestVersion& latest)
{
    const auto message = DecideSoftwareCheck(fetched, kCurrent, latest, mode);
    if (!message)
        return std::nullopt;
    EXPECT_EQ(message->channel, UpdateChannel::Software);
    return message->newer;
}

TEST_P(SoftwareCheckTable, PostsAndStoresByTheVersionRules)
{
    const SoftwareCase& c = GetParam();
    LatestVersion loud;
    loud.Set(L"previous");
    EXPECT_EQ(RunCheck(c.fetched, CheckMode::Loud, loud), c.loudNewer);
    EXPECT_EQ(loud.Get(), c.stored);

    LatestVersion quiet;
    quiet.Set(L"previous");
    EXPECT_EQ(RunCheck(c.fetched, CheckMode::Quiet, quiet), c.quietNewer);
    EXPECT_EQ(quiet.Get(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Fetched, SoftwareCheckTable,
    testing::Values(SoftwareCase{L"1.0.0.4", true, true, L"1.0.0.4"},
        SoftwareCase{L"1.0.0.3", false, std::nullopt, L"1.0.0.3"},
        SoftwareCase{L"1.0.0.2", false, std::nullopt, L"1.0.0.2"}, SoftwareCase{L"1.0.1", true, true, L"1.0.1"},
        SoftwareCase{L"2", true, true, L"2"},
        // A line break at the end of the file is not part of the version.
        SoftwareCase{L"1.0.0.4\n", true, true, L"1.0.0.4"}, SoftwareCase{L"\xFEFF 1.0.0.4\r\n", true, true, L"1.0.0.4"},
        SoftwareCase{L"1.0.0.3\r\n", false, std::nullopt, L"1.0.0.3"},
        // Not a version: nothing posted, the previous text stays.
        SoftwareCase{L"", std::nullopt, std::nullopt, L"previous"},
        SoftwareCase{L" \r\n", std::nullopt, std::nullopt, L"previous"},
        SoftwareCase{L"<html>Not Found</html>", std::nullopt, std::nullopt, L"previous"},
        SoftwareCase{L"1.0.0.4.5.6", std::nullopt, std::nullopt, L"previous"},
        SoftwareCase{L"..\\..\\x", std::nullopt, std::nullopt, L"previous"},
        SoftwareCase{L"1/../../x", std::nullopt, std::nullopt, L"previous"}));

TEST(VersionText, LengthRuleCountsTheTrimmedText)
{
    EXPECT_EQ(AcceptVersionText(L"1234567890"), L"1234567890");
    EXPECT_EQ(AcceptVersionText(L"\n 1234567890 \n"), L"1234567890");
    EXPECT_EQ(AcceptVersionText(L"12345678901"), std::nullopt);
    EXPECT_EQ(AcceptVersionText(L"1.0\t0.4"), std::nullopt); // inner control character
    EXPECT_EQ(AcceptVersionText(L"1.0 0.4"), L"1.0 0.4"); // inner blanks are a file name's business
}

struct FirmwareCase {
    const wchar_t* fetched;
    int display;
    std::optional<bool> loudNewer;
    std::optional<bool> quietNewer;
};

void PrintTo(const FirmwareCase& c, std::ostream* os)
{
    PrintWide(c.fetched, os);
    *os << " against 0x" << std::hex << c.display;
}

class FirmwareCheckTable : public testing::TestWithParam<FirmwareCase> { };

TEST_P(FirmwareCheckTable, ComparesWithTheDisplaysBcdVersion)
{
    const FirmwareCase& c = GetParam();
    for (CheckMode mode : {CheckMode::Loud, CheckMode::Quiet}) {
        LatestVersion latest;
        int queries = 0;
        const auto message = DecideFirmwareCheck(
            c.fetched, latest,
            [&] {
                ++queries;
                return c.display;
            },
            mode);
        const std::optional<bool> expected = mode == CheckMode::Loud ? c.loudNewer : c.quietNewer;
        ASSERT_EQ(message.has_value(), expected.has_value());
        if (message) {
            EXPECT_EQ(message->channel, UpdateChannel::Firmware);
            EXPECT_EQ(message->newer, *expected);
        }
        const bool isVersion = AcceptVersionText(c.fetched).has_value();
        EXPECT_EQ(queries, isVersion ? 1 : 0) << "the display is asked only for a usable version";
        EXPECT_EQ(latest.Get(), isVersion ? TrimVersionText(c.fetched) : L"");
    }
}

INSTANTIATE_TEST_SUITE_P(Fetched, FirmwareCheckTable,
    testing::Values(FirmwareCase{L"106", 0x0105, true, true}, FirmwareCase{L"105", 0x0105, false, std::nullopt},
        FirmwareCase{L"106\n", 0x0105, true, true}, FirmwareCase{L"2", 0x001A, true, true},
        FirmwareCase{L"1", 0x001A, false, std::nullopt}, FirmwareCase{L"106", -1, false, std::nullopt},
        FirmwareCase{L"", 0x0105, std::nullopt, std::nullopt},
        FirmwareCase{L"<html>500</html>", 0x0105, std::nullopt, std::nullopt}));

} // namespace
