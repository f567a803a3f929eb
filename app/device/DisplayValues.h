#pragma once

struct SensorRecord;

// What one refresh cycle shows: the processor temperature and the fan speed,
// truncated toward zero and limited to what the display's digits can carry.
struct DisplayValues {
    bool hasData = false;
    int temperature = 0; // 0..99
    int fanSpeed = 0; // 0..9999
};

// A processor temperature of exactly 0 means that no data has arrived yet; a
// value that is not a finite number counts as no data too. Negative values
// read as 0 and values beyond the digits as 99 and 9999. A fan speed that is
// not a finite number reads as 0.
DisplayValues ToDisplayValues(float cpuTemperature, float fanSpeed);

// Reads the two values from the shared record.
DisplayValues ReadDisplayValues(const SensorRecord& record);

// The graphics adapter's temperature derived from the record: the first
// adapter's, or the second's when only the second has a name; limited like
// the processor temperature. Neither sent nor shown.
int GraphicsTemperature(const SensorRecord& record);

// Truncates toward zero and limits to 0..limit without ever converting a
// value that does not fit an int; non-finite values give 0.
int TruncateToLimit(float value, int limit);
