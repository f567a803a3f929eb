#pragma once

// The sensor watchdog: on each of its first 12 ticks (one every 5 seconds,
// the first minute of the run) it asks for the companion to be started when
// the record is not mapped or its liveness value is 0 or below; after the
// 12th tick it asks for its timer to be stopped and never acts again.
constexpr unsigned kSensorWatchdogTimerId = 300;
constexpr unsigned kSensorWatchdogPeriodMs = 5000;
constexpr int kSensorWatchdogTicks = 12;

struct WatchdogStep {
    bool startCompanion = false;
    bool stopTimer = false;
};

class SensorWatchdog {
public:
    // `liveness` is read only when `mapped`; a value that is not a number
    // starts nothing.
    WatchdogStep Tick(bool mapped, float liveness);
    int Ticks() const { return m_ticks; }

private:
    int m_ticks = 0;
};
