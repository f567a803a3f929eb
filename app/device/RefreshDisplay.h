#pragma once

#include <windows.h>

class CHidDeviceManager;
class CThreadBasic;
struct SensorRecord;

// Which temperature the display and the window's overlay show: the
// processor's, or the graphics adapter's when the user chose that view.
enum class TemperatureSource { Processor, GraphicsAdapter };

enum class RefreshResult {
    NotMapped, // no record yet: nothing happened
    NoData, // the record holds no processor temperature: nothing happened
    Refreshed, // report sent to every open display, toolkit values set, window invalidated
};

// One refresh cycle without its pause: reads the record, builds the
// temperature report, hands the values to the toolkit, invalidates `window`
// (when given) and sends the report to every open display. Whether the record
// holds data is always judged by the processor temperature.
RefreshResult RefreshDisplayOnce(const SensorRecord* record, HWND window, CHidDeviceManager& displays,
    TemperatureSource source = TemperatureSource::Processor);

// The worker's refresh: one cycle and, when it had data, a one-second pause
// that ends early when the worker is being stopped.
RefreshResult RefreshDisplay(const SensorRecord* record, HWND window, CThreadBasic& worker, CHidDeviceManager& displays,
    TemperatureSource source = TemperatureSource::Processor);

constexpr DWORD kRefreshPauseMs = 1000;
