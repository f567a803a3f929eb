#include "app/device/DisplayValues.h"

#include "app/device/SensorRecord.h"
#include "app/device/TemperatureReport.h"

#include <cmath>

int TruncateToLimit(float value, int limit)
{
    if (!(value > 0.0f)) // negative, zero and NaN
        return 0;
    if (!(value < static_cast<float>(limit))) // at or beyond the limit, infinity included
        return limit;
    return static_cast<int>(value);
}

DisplayValues ToDisplayValues(float cpuTemperature, float fanSpeed)
{
    DisplayValues values;
    if (cpuTemperature == 0.0f || !std::isfinite(cpuTemperature))
        return values;
    values.hasData = true;
    values.temperature = TruncateToLimit(cpuTemperature, kMaxReportTemperature);
    values.fanSpeed = std::isfinite(fanSpeed) ? TruncateToLimit(fanSpeed, kMaxReportFanSpeed) : 0;
    return values;
}

DisplayValues ReadDisplayValues(const SensorRecord& record)
{
    return ToDisplayValues(LoadSensorFloat(record.cpuTemperature), LoadSensorFloat(record.fanSpeed));
}

int GraphicsTemperature(const SensorRecord& record)
{
    const bool onlySecondNamed = IsSensorTextEmpty(record.gpuName1) && !IsSensorTextEmpty(record.gpuName2);
    const float value = LoadSensorFloat(onlySecondNamed ? record.gpuTemperature2 : record.gpuTemperature1);
    return TruncateToLimit(value, kMaxReportTemperature);
}
