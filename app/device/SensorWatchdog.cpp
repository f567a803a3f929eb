#include "app/device/SensorWatchdog.h"

WatchdogStep SensorWatchdog::Tick(bool mapped, float liveness)
{
    WatchdogStep step;
    if (m_ticks >= kSensorWatchdogTicks) {
        step.stopTimer = true;
        return step;
    }
    step.startCompanion = !mapped || liveness <= 0.0f;
    const int taken = m_ticks++;
    step.stopTimer = taken > kSensorWatchdogTicks - 2;
    return step;
}
