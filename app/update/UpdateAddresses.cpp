#include "app/update/UpdateAddresses.h"

#include "app/update/UpdateHost.h"
#include "app/update/UpdateNames.h"

std::wstring UpdateHost() { return kUpdateHost; }

std::wstring DefaultSoftwareAddress() { return UpdateHost() + kSoftwareChannelPath; }

std::wstring DefaultFirmwareAddress() { return UpdateHost() + kFirmwareChannelPath; }
