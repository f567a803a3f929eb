// Whatever bit patterns the companion leaves in the two floats (NaN,
// infinities, huge or negative values), turning them into display values never
// converts out of range (UBSan checks the conversions) and gives digits the
// display can show.
#include "app/device/DisplayValues.h"
#include "app/device/TemperatureReport.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 * sizeof(float))
        return 0;
    float temperature = 0.0f, fan = 0.0f;
    std::memcpy(&temperature, data, sizeof(float));
    std::memcpy(&fan, data + sizeof(float), sizeof(float));
    const DisplayValues values = ToDisplayValues(temperature, fan);
    if (!values.hasData)
        return 0;
    if (values.temperature < 0 || values.temperature > kMaxReportTemperature || values.fanSpeed < 0
        || values.fanSpeed > kMaxReportFanSpeed)
        std::abort();
    const TemperatureReport report = EncodeTemperatureReport(values.temperature, values.fanSpeed);
    if (report[1] * 10 + report[2] != values.temperature)
        std::abort();
    return 0;
}
