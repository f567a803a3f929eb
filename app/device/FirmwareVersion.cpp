#include "app/device/FirmwareVersion.h"

#include "app/device/TemperatureReport.h"

FirmwareReport FirmwareVersionRequest()
{
    FirmwareReport request{};
    request[0] = kDisplayReportId;
    request[1] = kFirmwareVersionCommand;
    return request;
}

bool IsFirmwareVersionReply(const FirmwareReport& reply) { return reply[0] == kDisplayReportId; }

int FirmwareVersionFromReply(const FirmwareReport& reply) { return reply[1] * 256 + reply[2]; }
