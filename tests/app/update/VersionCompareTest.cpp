#include "app/update/FirmwareVersion.h"
#include "app/update/VersionCompare.h"
#include "PrintWide.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace {

struct CompareCase {
    const wchar_t* current;
    const wchar_t* latest;
    int expected;
};

void PrintTo(const CompareCase& c, std::ostream* os)
{
    PrintWide(c.current, os);
    *os << " vs ";
    PrintWide(c.latest, os);
}

class CompareVersionsTable : public testing::TestWithParam<CompareCase> { };

TEST_P(CompareVersionsTable, ComparesPartByPartAsNumbers)
{
    const CompareCase& c = GetParam();
    EXPECT_EQ(CompareVersions(c.current, c.latest), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, CompareVersionsTable,
    testing::Values(CompareCase{L"1.0.0.3", L"1.0.0.4", 1}, CompareCase{L"1.0.0.3", L"1.0.0.3", 0},
        CompareCase{L"1.0.0.3", L"1.0.0.2", -1}, CompareCase{L"1.0.0.3", L"1.0.1", 2}, CompareCase{L"1.0.0.3", L"2", 2},
        CompareCase{L"1.0.0.3", L"1.0.0.10", 1}, CompareCase{L"1.0.0.3", L"1.1.0.0", 1},
        CompareCase{L"1.0.0.3", L"0.9.9.9", -1},
        // The last part of "1.0.0.4\n" still reads as 4, as the runtime's _wtoi would.
        CompareCase{L"1.0.0.3", L"1.0.0.4\n", 1}, CompareCase{L"1.0.0.3", L"1.0.0.x", -1},
        CompareCase{L"1.0.0.3", L"1.0.0.", -1}, CompareCase{L"1.0.0.3", L" 1.0.0.03", 0}, CompareCase{L"", L"", 0},
        CompareCase{L"5", L"", -1}));

TEST(ReadLeadingNumber, BehavesLikeWtoi)
{
    EXPECT_EQ(ReadLeadingNumber(L"  42abc"), 42);
    EXPECT_EQ(ReadLeadingNumber(L"\t\n-7"), -7);
    EXPECT_EQ(ReadLeadingNumber(L"+9"), 9);
    EXPECT_EQ(ReadLeadingNumber(L"x1"), 0);
    EXPECT_EQ(ReadLeadingNumber(L""), 0);
    EXPECT_EQ(ReadLeadingNumber(L"99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadLeadingNumber(L"-99999999999999999999999"), INT_MIN);
}

TEST(FirmwareVersion, DisplayVersionIsReadAsBinaryCodedDecimal)
{
    EXPECT_EQ(FirmwareNumberFromDisplay(0x0105), 105);
    EXPECT_EQ(FirmwareNumberFromDisplay(0x001A), 1); // "1a" stops at the a
    EXPECT_EQ(FirmwareNumberFromDisplay(0), 0);
    EXPECT_EQ(FirmwareNumberFromDisplay(0xFFFF), 0);
    EXPECT_EQ(FirmwareNumberFromDisplay(0x9999), 9999);
}

TEST(FirmwareVersion, NewerOnlyAgainstAKnownOlderDisplay)
{
    EXPECT_TRUE(IsFirmwareNewer(L"106", 0x0105));
    EXPECT_FALSE(IsFirmwareNewer(L"105", 0x0105));
    EXPECT_FALSE(IsFirmwareNewer(L"104", 0x0105));
    EXPECT_TRUE(IsFirmwareNewer(L"2", 0x001A));
    EXPECT_FALSE(IsFirmwareNewer(L"999", -1)); // no display
}

} // namespace
