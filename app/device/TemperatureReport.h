#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The display's temperature report: report id 7, then the temperature's tens
// and units digits and the fan speed's four digits as plain numbers 0-9, the
// rest zero. 65 bytes as sent to each display.
constexpr std::size_t kTemperatureReportSize = 65;
constexpr std::uint8_t kDisplayReportId = 0x07;
constexpr int kMaxReportTemperature = 99;
constexpr int kMaxReportFanSpeed = 9999;

using TemperatureReport = std::array<std::uint8_t, kTemperatureReportSize>;

// Values outside 0..99 and 0..9999 are limited to that range first.
TemperatureReport EncodeTemperatureReport(int temperature, int fanSpeed);
