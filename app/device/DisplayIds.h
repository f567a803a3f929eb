#pragma once

#include <cstdint>

// How the program recognises its displays.
constexpr std::uint16_t kDisplayVendorId = 0x1A2C;
constexpr std::uint16_t kDisplayProductId = 0x4E84;
// The display's vendor-defined HID collection, the one that takes the reports.
constexpr std::uint16_t kDisplayUsagePage = 0xFF01;
constexpr std::uint16_t kDisplayUsage = 1;
// Searched for in the upper-cased path of a device-interface notification.
constexpr wchar_t kDisplayPathPattern[] = L"VID_1A2C&PID_4E84";
