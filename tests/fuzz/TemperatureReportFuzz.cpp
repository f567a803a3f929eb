// Whatever two integers come in, the report holds the id, six digits that read
// back as the limited values, and zeros.
#include "app/device/TemperatureReport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 * sizeof(int))
        return 0;
    int temperature = 0, fan = 0;
    std::memcpy(&temperature, data, sizeof(int));
    std::memcpy(&fan, data + sizeof(int), sizeof(int));
    const TemperatureReport r = EncodeTemperatureReport(temperature, fan);
    if (r[0] != kDisplayReportId)
        std::abort();
    for (int i = 1; i <= 6; ++i)
        if (r[i] > 9)
            std::abort();
    if (r[1] * 10 + r[2] != std::clamp(temperature, 0, kMaxReportTemperature))
        std::abort();
    if (r[3] * 1000 + r[4] * 100 + r[5] * 10 + r[6] != std::clamp(fan, 0, kMaxReportFanSpeed))
        std::abort();
    if (!std::all_of(r.begin() + 7, r.end(), [](std::uint8_t b) { return b == 0; }))
        std::abort();
    return 0;
}
