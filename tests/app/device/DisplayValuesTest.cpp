#include "app/device/DisplayValues.h"
#include "app/device/SensorRecord.h"
#include "app/device/TemperatureReport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <ostream>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

struct ValuesCase {
    float temperature;
    float fan;
    bool hasData;
    int shownTemperature;
    int shownFan;
};

void PrintTo(const ValuesCase& c, std::ostream* os) { *os << c.temperature << " C, " << c.fan << " rpm"; }

class DisplayValuesFromSensors : public testing::TestWithParam<ValuesCase> { };

TEST_P(DisplayValuesFromSensors, AreTruncatedAndLimitedWithoutUndefinedConversions)
{
    const ValuesCase& c = GetParam();
    const DisplayValues values = ToDisplayValues(c.temperature, c.fan);
    EXPECT_EQ(values.hasData, c.hasData);
    if (c.hasData) {
        EXPECT_EQ(values.temperature, c.shownTemperature);
        EXPECT_EQ(values.fanSpeed, c.shownFan);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, DisplayValuesFromSensors,
    testing::Values(ValuesCase{45.7f, 1234.9f, true, 45, 1234}, ValuesCase{7.9f, 850.0f, true, 7, 850},
        ValuesCase{123.0f, 0.0f, true, 99, 0}, ValuesCase{99.99f, 9999.99f, true, 99, 9999},
        ValuesCase{60.0f, 12000.0f, true, 60, 9999}, ValuesCase{0.4f, 100.0f, true, 0, 100},
        ValuesCase{0.0f, 1200.0f, false, 0, 0}, ValuesCase{-0.0f, 1200.0f, false, 0, 0},
        ValuesCase{kNaN, 1200.0f, false, 0, 0}, ValuesCase{kInfinity, 1200.0f, false, 0, 0},
        ValuesCase{-kInfinity, 1200.0f, false, 0, 0}, ValuesCase{-40.0f, -5.0f, true, 0, 0},
        ValuesCase{3.0e38f, 3.0e38f, true, 99, 9999}, ValuesCase{-3.0e38f, -3.0e38f, true, 0, 0},
        ValuesCase{50.0f, kNaN, true, 50, 0}, ValuesCase{50.0f, kInfinity, true, 50, 0},
        ValuesCase{50.0f, -kInfinity, true, 50, 0}));

TEST(DisplayValues, ReadFromTheRecordsOffsets)
{
    unsigned char bytes[716] = {};
    const float temperature = 45.7f, fan = 1234.9f;
    std::memcpy(bytes + 284, &temperature, 4);
    std::memcpy(bytes + 128, &fan, 4);
    SensorRecord record;
    std::memcpy(&record, bytes, sizeof(record));
    const DisplayValues values = ReadDisplayValues(record);
    EXPECT_TRUE(values.hasData);
    EXPECT_EQ(values.temperature, 45);
    EXPECT_EQ(values.fanSpeed, 1234);
}

TEST(DisplayValues, GraphicsTemperatureTakesTheSecondAdapterOnlyWhenOnlyItHasAName)
{
    SensorRecord record = {};
    record.gpuTemperature1 = 55.9f;
    record.gpuTemperature2 = 70.2f;
    EXPECT_EQ(GraphicsTemperature(record), 55);
    std::strcpy(record.gpuName2, "Second");
    EXPECT_EQ(GraphicsTemperature(record), 70);
    std::strcpy(record.gpuName1, "First");
    EXPECT_EQ(GraphicsTemperature(record), 55);
    record.gpuTemperature1 = 140.0f;
    EXPECT_EQ(GraphicsTemperature(record), 99);
}

} // namespace
