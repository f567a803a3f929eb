#include "app/device/TemperatureReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct ReportCase {
    int temperature;
    int fan;
    std::vector<int> digits; // bytes 1..6
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.temperature << " C, " << c.fan << " rpm"; }

class TemperatureReportDigits : public testing::TestWithParam<ReportCase> { };

TEST_P(TemperatureReportDigits, EncodesDigitsAfterTheReportId)
{
    const ReportCase& c = GetParam();
    const TemperatureReport report = EncodeTemperatureReport(c.temperature, c.fan);
    EXPECT_EQ(report[0], 0x07);
    for (size_t i = 0; i < c.digits.size(); ++i)
        EXPECT_EQ(report[i + 1], c.digits[i]) << "byte " << i + 1;
    EXPECT_TRUE(std::all_of(report.begin() + 7, report.end(), [](auto b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Values, TemperatureReportDigits,
    testing::Values(ReportCase{45, 1234, {4, 5, 1, 2, 3, 4}}, ReportCase{7, 850, {0, 7, 0, 8, 5, 0}},
        ReportCase{123, 0, {9, 9, 0, 0, 0, 0}}, ReportCase{60, 12000, {6, 0, 9, 9, 9, 9}},
        ReportCase{-5, -1, {0, 0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<ReportCase>& info) {
        auto name = [](int v) { return (v < 0 ? "minus" : "") + std::to_string(v < 0 ? -v : v); };
        return "T" + name(info.param.temperature) + "_Fan" + name(info.param.fan);
    });

TEST(TemperatureReport, IsSixtyFiveBytes) { EXPECT_EQ(EncodeTemperatureReport(1, 1).size(), 65u); }

} // namespace
