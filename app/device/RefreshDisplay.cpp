#include "app/device/RefreshDisplay.h"

#include "app/core/CThreadBasic.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayValues.h"
#include "app/device/SensorRecord.h"
#include "app/device/TemperatureReport.h"
#include "lumo/Manager.h"

#include <atomic>

// The toolkit's values are single lock-free 32-bit stores that the painter
// reads on the window thread.
static_assert(std::atomic<float>::is_always_lock_free, "sensor values are handed over without a lock");

RefreshResult RefreshDisplayOnce(
    const SensorRecord* record, HWND window, CHidDeviceManager& displays, TemperatureSource source)
{
    if (!record)
        return RefreshResult::NotMapped;
    DisplayValues values = ReadDisplayValues(*record);
    if (!values.hasData)
        return RefreshResult::NoData;
    if (source == TemperatureSource::GraphicsAdapter)
        values.temperature = GraphicsTemperature(*record);
    const TemperatureReport report = EncodeTemperatureReport(values.temperature, values.fanSpeed);
    Lumo::Manager::SetCPUTemp(static_cast<float>(values.temperature));
    Lumo::Manager::SetRPMTemp(static_cast<float>(values.fanSpeed));
    // Both values are stored before the window is invalidated, so the paint
    // that follows never shows a value of the previous cycle beside one of this.
    std::atomic_thread_fence(std::memory_order_release);
    if (window) {
        RECT client = {};
        GetClientRect(window, &client);
        InvalidateRect(window, &client, FALSE);
    }
    displays.SendFeatureToAll(report.data());
    return RefreshResult::Refreshed;
}

RefreshResult RefreshDisplay(const SensorRecord* record, HWND window, CThreadBasic& worker, CHidDeviceManager& displays,
    TemperatureSource source)
{
    const RefreshResult result = RefreshDisplayOnce(record, window, displays, source);
    if (result == RefreshResult::Refreshed)
        worker.PauseWorker(kRefreshPauseMs);
    return result;
}
