#pragma once

#include <string>

// The update host the program was built for (scheme and host, no trailing
// slash), set at build time with the CMake cache variable
// THERMADEX_UPDATE_HOST.
std::wstring UpdateHost();

// The channel addresses on that host; both end in a slash.
std::wstring DefaultSoftwareAddress();
std::wstring DefaultFirmwareAddress();
