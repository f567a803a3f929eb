#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The firmware version request and its reply: 64-byte feature reports with
// report id 7. The request carries command 0xFD; a valid reply starts with 7
// and holds the version's high and low bytes.
constexpr std::size_t kFirmwareReportSize = 64;
constexpr std::uint8_t kFirmwareVersionCommand = 0xFD;

using FirmwareReport = std::array<std::uint8_t, kFirmwareReportSize>;

FirmwareReport FirmwareVersionRequest();
bool IsFirmwareVersionReply(const FirmwareReport& reply);
// byte 1 × 256 + byte 2.
int FirmwareVersionFromReply(const FirmwareReport& reply);
