#pragma once

#include <cstddef>

// The record that the companion sensor process publishes in the shared
// memory "velmar_hardware_mapfile": 716 bytes, little-endian 32-bit floats and
// 8-bit NUL-terminated texts. Only the named fields are read by the program.
struct SensorRecord {
    unsigned char reserved0[128];
    float fanSpeed; // revolutions per minute
    unsigned char reserved1[152];
    float cpuTemperature; // degrees; exactly 0 means no data yet
    float liveness; // above 0 while the companion publishes
    char gpuName1[136];
    float gpuTemperature1;
    unsigned char reserved2[4];
    char gpuName2[136];
    float gpuTemperature2;
    unsigned char reserved3[140];
};

static_assert(sizeof(SensorRecord) == 716, "the shared record is 716 bytes");
static_assert(offsetof(SensorRecord, fanSpeed) == 128, "fan speed at 128");
static_assert(offsetof(SensorRecord, cpuTemperature) == 284, "processor temperature at 284");
static_assert(offsetof(SensorRecord, liveness) == 288, "liveness at 288");
static_assert(offsetof(SensorRecord, gpuName1) == 292, "first adapter name at 292");
static_assert(offsetof(SensorRecord, gpuTemperature1) == 428, "first adapter temperature at 428");
static_assert(offsetof(SensorRecord, gpuName2) == 436, "second adapter name at 436");
static_assert(offsetof(SensorRecord, gpuTemperature2) == 572, "second adapter temperature at 572");

constexpr char kSensorMappingName[] = "velmar_hardware_mapfile";
constexpr std::size_t kSensorRecordSize = sizeof(SensorRecord);

// The companion writes the record at any time: every field is read once, as
// one 32-bit load, at the moment it is used.
inline float LoadSensorFloat(const float& field) { return *static_cast<const volatile float*>(&field); }
inline bool IsSensorTextEmpty(const char* text) { return *static_cast<const volatile char*>(text) == 0; }
