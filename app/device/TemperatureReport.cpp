#include "app/device/TemperatureReport.h"

#include <algorithm>

TemperatureReport EncodeTemperatureReport(int temperature, int fanSpeed)
{
    const int t = std::clamp(temperature, 0, kMaxReportTemperature);
    const int f = std::clamp(fanSpeed, 0, kMaxReportFanSpeed);
    TemperatureReport report{};
    report[0] = kDisplayReportId;
    report[1] = static_cast<std::uint8_t>(t / 10 % 10);
    report[2] = static_cast<std::uint8_t>(t % 10);
    report[3] = static_cast<std::uint8_t>(f / 1000 % 10);
    report[4] = static_cast<std::uint8_t>(f / 100 % 10);
    report[5] = static_cast<std::uint8_t>(f / 10 % 10);
    report[6] = static_cast<std::uint8_t>(f % 10);
    return report;
}
